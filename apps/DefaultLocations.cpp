#include "DefaultLocations.h"

#include <unistd.h>

#include <climits>
#include <sys/stat.h>

namespace orv::apps
{

namespace
{
constexpr const char* kBundleName = "Orvendal QV.aaxplugin";
constexpr const char* kCompanionInBuild = "companion/orvendal-qv";
constexpr const char* kCompanionInstalled = "orvendal-qv";
// Every CMake build folder has one at its top; an installed prefix never does.
constexpr const char* kBuildTreeMark = "CMakeCache.txt";

bool IsFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

DefaultLocations::DefaultLocations(std::string programFolder)
    : mProgramFolder(std::move(programFolder))
{
}

DefaultLocations DefaultLocations::OfRunningProgram()
{
    char executable[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    if (length <= 0) return DefaultLocations(".");
    std::string folder(executable, static_cast<size_t>(length));
    folder.resize(folder.find_last_of('/'));
    return DefaultLocations(folder);
}

bool DefaultLocations::InBuildTree() const
{
    return IsFile(mProgramFolder + "/../" + kBuildTreeMark);
}

std::string DefaultLocations::ModulePath() const
{
    // The installed folder, relative to the programs' folder, comes from the install rules.
    if (!InBuildTree()) return mProgramFolder + "/" ORV_BUNDLE_FROM_PROGRAMS "/" + kBundleName;
    return mProgramFolder + "/../" + kBundleName;
}

std::string DefaultLocations::CompanionPath() const
{
    if (!InBuildTree()) return mProgramFolder + "/" + kCompanionInstalled;
    return mProgramFolder + "/../" + kCompanionInBuild;
}

} // namespace orv::apps
