#pragma once

#include <string>

#include "AAX.h"

// Where the interface file lives: a documents folder's file URL turned into a file-system
// folder path, and the file name within it.
namespace InterfaceFileLocation
{

// The folder path of a file URL on this machine ("file:///a/My%20Docs/" gives
// "/a/My Docs/"), percent escapes decoded and ending in a slash. False for anything else:
// another scheme or host, a relative path, a broken escape or an escaped zero byte.
bool FolderPathFromURL(const std::string& url, std::string& outFolder);

// folder/"Orvendal_interface_<index>.wav" (one slash between, whether folder ends in one or
// not). False when the result would not fit the processor's path length.
bool InterfaceFilePath(const std::string& folder, int32 index, std::string& outPath);

// folder/".Orvendal_interface_<index>.lock": the file whose lock claims that index. False
// when the result would not fit the processor's path length.
bool LockFilePath(const std::string& folder, int32 index, std::string& outPath);

} // namespace InterfaceFileLocation
