#include "OwnBundle.h"

#import <CoreFoundation/CoreFoundation.h>

#include <climits>

namespace orv::platform
{

void* BundleWithIdentifier(const std::string& identifier)
{
    CFStringRef name = CFStringCreateWithCString(nullptr, identifier.c_str(), kCFStringEncodingUTF8);
    if (!name) return nullptr;
    CFBundleRef bundle = CFBundleGetBundleWithIdentifier(name);
    CFRelease(name);
    return bundle;
}

std::string BundleResourcesFolder(void* bundle)
{
    if (!bundle) return std::string();
    CFURLRef url = CFBundleCopyResourcesDirectoryURL(static_cast<CFBundleRef>(bundle));
    if (!url) return std::string();
    char path[PATH_MAX];
    const bool ok = CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path),
                                                     sizeof(path));
    CFRelease(url);
    return ok ? std::string(path) : std::string();
}

} // namespace orv::platform
