#pragma once

#include <string>

namespace orv::platform
{

// Asks the system to start the application named applicationName ("Orvendal QV.app") and
// does not wait for it. True when it was started.
//
// On Linux the application is the executable named after it in lower case, without ".app"
// and with spaces as hyphens ("orvendal-qv"), looked up on PATH only (absolute entries;
// empty or relative ones, which would mean the current folder, are skipped). It runs in a
// session of its own with its standard streams on /dev/null, and the caller never has to
// reap it. True once the program has been executed.
bool LaunchApplication(const std::string& applicationName);

// The executable name LaunchApplication looks for on Linux ("orvendal-qv").
std::string ExecutableNameForApplication(const std::string& applicationName);

} // namespace orv::platform
