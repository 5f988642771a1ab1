#include "ApplicationLauncher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ScopedPath.h"
#include "TempFolder.h"

using orv::platform::ExecutableNameForApplication;
using orv::platform::LaunchApplication;
using orv::test::ScopedPath;
using orv::test::TempFolder;

namespace
{

void WriteScript(const std::string& path, const std::string& body, bool executable)
{
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(path, executable ? std::filesystem::perms::owner_all
                                                  : std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write);
}

bool WaitForFile(const std::string& path)
{
    for (int attempt = 0; attempt < 500; ++attempt)
    {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(ApplicationLauncher, NamesTheExecutableAfterTheApplication)
{
    EXPECT_EQ(ExecutableNameForApplication("Orvendal QV.app"), "orvendal-qv");
    EXPECT_EQ(ExecutableNameForApplication("Orvendal QV"), "orvendal-qv");
    EXPECT_EQ(ExecutableNameForApplication(".app"), "");
}

TEST(ApplicationLauncher, StartsTheProgramFoundOnPathDetachedInItsOwnSession)
{
    TempFolder folder;
    const std::string marker = folder / "started";
    // The program records its session; the launcher must not wait for it to finish.
    WriteScript(folder / "orvendal-qv",
                "/usr/bin/sleep 0.2; /usr/bin/ps -o sid= -p $$ > '" + marker +
                    ".tmp'; /usr/bin/mv '" + marker + ".tmp' '" + marker + "'",
                true);
    ScopedPath path("relative/bin::" + folder.Path());
    EXPECT_TRUE(LaunchApplication("Orvendal QV.app"));
    EXPECT_FALSE(std::filesystem::exists(marker));
    ASSERT_TRUE(WaitForFile(marker));
    std::string session;
    std::ifstream(marker) >> session;
    EXPECT_NE(std::atoi(session.c_str()), static_cast<int>(getsid(0)));
}

TEST(ApplicationLauncher, FailsWhenNothingRunnableIsOnPath)
{
    TempFolder folder;
    {
        ScopedPath path(folder.Path());
        EXPECT_FALSE(LaunchApplication("Orvendal QV.app"));
    }
    // Present but not executable; a folder of that name does not count either.
    WriteScript(folder / "orvendal-qv", "exit 0", false);
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_directory(folder / "sub/orvendal-qv");
    ScopedPath path(folder / "sub" + ":" + folder.Path());
    EXPECT_FALSE(LaunchApplication("Orvendal QV.app"));
}

TEST(ApplicationLauncher, IgnoresProgramsInTheCurrentFolderThroughEmptyPathEntries)
{
    TempFolder folder;
    WriteScript(folder / "orvendal-qv", "exit 0", true);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    {
        ScopedPath path(":.:");
        EXPECT_FALSE(LaunchApplication("Orvendal QV.app"));
    }
    std::filesystem::current_path(old);
}

TEST(ApplicationLauncher, ReportsAProgramThatCannotBeExecuted)
{
    TempFolder folder;
    // Executable bit set, but no interpreter the system can run.
    std::ofstream(folder / "orvendal-qv") << "#!/nonexistent/interpreter\n";
    std::filesystem::permissions(folder / "orvendal-qv", std::filesystem::perms::owner_all);
    ScopedPath path(folder.Path());
    EXPECT_FALSE(LaunchApplication("Orvendal QV.app"));
}

} // namespace
