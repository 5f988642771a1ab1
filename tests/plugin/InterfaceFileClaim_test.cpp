#include "InterfaceFileClaim.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TempFolder.h"

namespace
{

namespace fs = std::filesystem;

// Claims index 0 of folder in a child process and reports, through the exit code, whether
// it got it; the child ends without releasing anything, as a crash would.
int ClaimInChild(const std::string& folder)
{
    const pid_t child = ::fork();
    if (child == 0)
    {
        InterfaceFileClaim claim;
        const bool claimed = claim.Claim(folder) == InterfaceFileClaim::Result::kClaimed;
        ::_exit(claimed ? claim.Index() : 99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InterfaceFileClaim, EachClaimGetsTheLowestFreeIndex)
{
    orv::test::TempFolder folder;
    InterfaceFileClaim first, second, third;
    EXPECT_EQ(first.Index(), -1);
    ASSERT_EQ(first.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    ASSERT_EQ(second.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    EXPECT_EQ(first.Index(), 0);
    EXPECT_EQ(second.Index(), 1);
    EXPECT_TRUE(fs::exists(fs::path(folder.Path()) / ".Orvendal_interface_0.lock"));
    EXPECT_TRUE(fs::exists(fs::path(folder.Path()) / ".Orvendal_interface_1.lock"));

    // Another process sees both taken and gets the next one.
    EXPECT_EQ(ClaimInChild(folder.Path()), 2);

    // A released index is the first to be claimed again, and claiming anew lets go first.
    first.Release();
    EXPECT_FALSE(first.IsHeld());
    ASSERT_EQ(third.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    EXPECT_EQ(third.Index(), 0);
    ASSERT_EQ(second.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    EXPECT_EQ(second.Index(), 1);
}

TEST(InterfaceFileClaim, AProcessThatEndsLeavesNoClaimBehind)
{
    orv::test::TempFolder folder;
    // The child held index 0 when it ended without releasing it.
    EXPECT_EQ(ClaimInChild(folder.Path()), 0);
    InterfaceFileClaim claim;
    ASSERT_EQ(claim.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    EXPECT_EQ(claim.Index(), 0);
    // And a claim held here is seen by a child as taken.
    EXPECT_EQ(ClaimInChild(folder.Path()), 1);
}

TEST(InterfaceFileClaim, ALinkOrFolderAtALockPathIsPassedOverAndNeverFollowed)
{
    orv::test::TempFolder folder;
    const fs::path base = folder.Path();
    fs::create_directory(base / ".Orvendal_interface_0.lock");
    fs::create_symlink(base / "elsewhere", base / ".Orvendal_interface_1.lock");
    InterfaceFileClaim claim;
    ASSERT_EQ(claim.Claim(folder.Path()), InterfaceFileClaim::Result::kClaimed);
    EXPECT_EQ(claim.Index(), 2);
    EXPECT_FALSE(fs::exists(base / "elsewhere"));

    // A folder that does not exist takes no lock file at all.
    InterfaceFileClaim nowhere;
    EXPECT_EQ(nowhere.Claim((base / "missing").string()),
              InterfaceFileClaim::Result::kCannotCreate);
    EXPECT_FALSE(nowhere.IsHeld());
    EXPECT_EQ(nowhere.Index(), -1);
}

} // namespace
