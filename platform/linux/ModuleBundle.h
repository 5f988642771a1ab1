#pragma once

#include <string>

namespace orv::platform
{

// The bundle folder holding the module file at modulePath ("<bundle>/Contents/<folder>/<file>")
// when "<bundle>/Contents/Info.plist" names identifier as its CFBundleIdentifier, else empty.
std::string BundleFolderForModule(const std::string& modulePath, const std::string& identifier);

// The CFBundleIdentifier of a property-list text, empty when it has none.
std::string BundleIdentifierFromInfoPlist(const std::string& plistText);

} // namespace orv::platform
