#include "DefaultLocations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

using orv::apps::DefaultLocations;

namespace
{

std::string Normal(const std::string& path)
{
    return std::filesystem::path(path).lexically_normal().string();
}

// The programs' folder is told apart by what lies above it: the build folder's cache, or
// nothing of the kind in an installed prefix, wherever either is.
TEST(DefaultLocations, BundleAndCompanionFromTheBuildTreeOrTheInstalledPrefix)
{
    orv::test::TempFolder build;
    std::filesystem::create_directories(build / "apps");
    std::ofstream(build / "CMakeCache.txt") << "# build folder\n";
    const DefaultLocations inBuild(build / "apps");
    EXPECT_EQ(Normal(inBuild.ModulePath()), build / "Orvendal QV.aaxplugin");
    EXPECT_EQ(Normal(inBuild.CompanionPath()), build / "companion/orvendal-qv");
    // A test program one folder deeper finds the same build.
    std::filesystem::create_directories(build / "tests/apps");
    const DefaultLocations test(build / "tests/apps");
    EXPECT_EQ(Normal(test.CompanionPath()), build / "companion/orvendal-qv");
    EXPECT_EQ(Normal(test.ModulePath()), build / "Orvendal QV.aaxplugin");

    orv::test::TempFolder prefix;
    std::filesystem::create_directories(prefix / "bin");
    const DefaultLocations installed(prefix / "bin");
    EXPECT_EQ(Normal(installed.ModulePath()), prefix / "lib/orvendal/Orvendal QV.aaxplugin");
    EXPECT_EQ(Normal(installed.CompanionPath()), prefix / "bin/orvendal-qv");

    // A folder of that name is no build folder's cache.
    std::filesystem::create_directories(prefix / "CMakeCache.txt");
    EXPECT_EQ(Normal(installed.ModulePath()), prefix / "lib/orvendal/Orvendal QV.aaxplugin");
}

} // namespace
