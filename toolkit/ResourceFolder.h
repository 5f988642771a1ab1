#pragma once

#include <string>

namespace VSTGUI
{

// The folder bitmaps are loaded from: the plug-in bundle's Resources folder, set by the
// code that embeds the toolkit before the first bitmap is created. On macOS the toolkit
// finds it through gBundleRef; on Linux the bundle reference is not consulted.
void setResourceFolder(const std::string& path);
const std::string& getResourceFolder();

// Resolves a resource file name inside the folder. Without a folder, and for names that
// could leave it (empty, absolute, or with a ".." part), the path is empty.
std::string resolveResourcePath(const std::string& fileName);

// The plug-in's own bundle, as on macOS; kept so that editor code reads the same there.
extern void* gBundleRef;

} // namespace VSTGUI
