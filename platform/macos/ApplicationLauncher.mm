#include "ApplicationLauncher.h"

#import <AppKit/AppKit.h>

namespace orv::platform
{

bool LaunchApplication(const std::string& applicationName)
{
    NSString* name = [NSString stringWithUTF8String:applicationName.c_str()];
    return name && [[NSWorkspace sharedWorkspace] launchApplication:name];
}

std::string ExecutableNameForApplication(const std::string& applicationName)
{
    return applicationName;
}

} // namespace orv::platform
