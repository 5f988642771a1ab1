#include "DefaultLocations.h"

#include <filesystem>
#include <system_error>

namespace orv::apps
{

namespace
{
constexpr const char* kBundleName = "Orvendal QV.aaxplugin";
constexpr const char* kCompanionInBuild = "companion/orvendal-qv";
constexpr const char* kCompanionInstalled = "orvendal-qv";
// Every CMake build folder has one at its top; an installed prefix never does.
constexpr const char* kBuildTreeMark = "CMakeCache.txt";

} // namespace

DefaultLocations::DefaultLocations(std::string programFolder)
    : mProgramFolder(std::move(programFolder))
{
}

DefaultLocations DefaultLocations::OfRunningProgram()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.has_parent_path()) return DefaultLocations(".");
    return DefaultLocations(executable.parent_path().string());
}

bool DefaultLocations::InBuildTree() const
{
    std::error_code error;
    return std::filesystem::is_regular_file(mProgramFolder + "/../" + kBuildTreeMark, error);
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
