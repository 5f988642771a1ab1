#include "DefaultLocations.h"

#include <filesystem>
#include <system_error>

namespace orv::apps
{

namespace
{
constexpr const char* kCompanionInBuild = "companion/orvendal-qv";
constexpr const char* kCompanionInstalled = "orvendal-qv";
// Every CMake build folder has one at its top; an installed prefix never does.
constexpr const char* kBuildTreeMark = "CMakeCache.txt";
// Programs lie one folder below the build folder's top (apps/), test programs two (tests/apps/).
constexpr int kDeepestProgram = 2;

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

std::string DefaultLocations::BuildFolder() const
{
    std::error_code error;
    std::string folder = mProgramFolder;
    for (int level = 0; level < kDeepestProgram; ++level)
    {
        folder += "/..";
        if (std::filesystem::is_regular_file(folder + "/" + kBuildTreeMark, error)) return folder;
    }
    return std::string();
}

std::string DefaultLocations::ModulePath() const
{
    const std::string build = BuildFolder();
    // The installed folder, relative to the programs' folder, comes from the install rules.
    if (build.empty()) return mProgramFolder + "/" ORV_BUNDLE_FROM_PROGRAMS "/" + ORV_BUNDLE_NAME;
    return build + "/" + ORV_BUNDLE_NAME;
}

std::string DefaultLocations::CompanionPath() const
{
    const std::string build = BuildFolder();
    if (build.empty()) return mProgramFolder + "/" + kCompanionInstalled;
    return build + "/" + kCompanionInBuild;
}

} // namespace orv::apps
