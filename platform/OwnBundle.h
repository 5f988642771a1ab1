#pragma once

#include <string>

namespace orv::platform
{

// The loaded bundle with identifier ("com.Brenlow.Orvendal"), as an opaque reference that
// lives as long as the program (a CFBundleRef on macOS); null when no loaded bundle has
// it. On Linux the only bundle looked at is the one holding this code: the module file is
// found from its own address and must sit in "<bundle>/Contents/<folder>/", with
// "<bundle>/Contents/Info.plist" naming the identifier as its CFBundleIdentifier.
void* BundleWithIdentifier(const std::string& identifier);

// The bundle's resource folder ("<bundle>/Contents/Resources"); empty for null.
std::string BundleResourcesFolder(void* bundle);

} // namespace orv::platform
