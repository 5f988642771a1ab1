#pragma once

#include <string>

namespace orv::apps
{

// Where the plug-in bundle and the companion lie, seen from the folder of the running
// program: in the build tree (<build>/apps/orvendal-host or a test program in
// <build>/tests/<folder>, the bundle in <build>, the companion in <build>/companion) or in an
// installed prefix (<prefix>/bin/orvendal-host and orvendal-qv, the bundle in
// <prefix>/lib/orvendal). Relative paths, so any prefix and a staged installation (DESTDIR) work
// alike.
class DefaultLocations
{
public:
    // programFolder: the folder of the running program, without a trailing slash.
    explicit DefaultLocations(std::string programFolder);
    // Of this process's own executable; paths are relative to "." when it cannot be read.
    static DefaultLocations OfRunningProgram();

    std::string ModulePath() const;
    std::string CompanionPath() const;

private:
    // The top of the build tree the program lies in; empty for an installed program.
    std::string BuildFolder() const;

    std::string mProgramFolder;
};

} // namespace orv::apps
