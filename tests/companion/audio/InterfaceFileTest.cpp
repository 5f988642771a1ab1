#include "InterfaceFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace companion
{
namespace
{

const std::string kName = "Orvendal_interface_0.wav";

TEST(InterfaceFile, ReplacesTheFileOnlyOnCommitAndLeavesNothingBehind)
{
    test::TempFolder folder;
    test::writeBytes(folder / kName, "old");
    ::chmod((folder / kName).c_str(), 0640);
    std::string error;
    {
        InterfaceFile file;
        ASSERT_TRUE(file.openDirectory(folder.path().string(), kName, error)) << error;
        ASSERT_TRUE(file.openFile(error)) << error;
        ASSERT_TRUE(file.createReplacement(error)) << error;
        ASSERT_EQ(::write(file.replacementFd(), "new", 3), 3);
        EXPECT_EQ(test::readBytes(folder / kName), "old"); // untouched until the commit
        // The replacement has no name until the commit, so a crash cannot leave it behind.
        EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
        ASSERT_TRUE(file.commitReplacement(error)) << error;
    }
    EXPECT_EQ(test::readBytes(folder / kName), "new");
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
    struct stat info
    {
    };
    ::stat((folder / kName).c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    {
        // Abandoned: the temporary file goes, the original stays.
        InterfaceFile file;
        ASSERT_TRUE(file.openDirectory(folder.path().string(), kName, error));
        ASSERT_TRUE(file.openFile(error));
        ASSERT_TRUE(file.createReplacement(error));
        ASSERT_EQ(::write(file.replacementFd(), "lost", 4), 4);
    }
    EXPECT_EQ(test::readBytes(folder / kName), "new");
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});

    {
        // Someone else puts another file under the name meanwhile: theirs is kept.
        InterfaceFile file;
        ASSERT_TRUE(file.openDirectory(folder.path().string(), kName, error));
        ASSERT_TRUE(file.openFile(error));
        ASSERT_TRUE(file.createReplacement(error));
        test::writeBytes(folder / "other", "theirs");
        std::filesystem::rename(folder / "other", folder / kName);
        EXPECT_FALSE(file.commitReplacement(error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(test::readBytes(folder / kName), "theirs");
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
}

TEST(InterfaceFile, ReplacementKeepsTheOriginalOwner)
{
    // The plug-in, running as the file's owner, must be able to rewrite the file later; the
    // file is the companion's user's own (nothing else is served), its group may be any.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand a file to another group";
    test::TempFolder folder;
    test::writeBytes(folder / kName, "old");
    ASSERT_EQ(::chown((folder / kName).c_str(), 0, 4322), 0);
    std::string error;
    {
        InterfaceFile file;
        ASSERT_TRUE(file.openDirectory(folder.path().string(), kName, error));
        ASSERT_TRUE(file.openFile(error));
        ASSERT_TRUE(file.createReplacement(error)) << error;
        ASSERT_TRUE(file.commitReplacement(error)) << error;
    }
    struct stat info
    {
    };
    ::stat((folder / kName).c_str(), &info);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST(InterfaceFile, RefusesLinksFoldersAndMissingFiles)
{
    test::TempFolder folder;
    test::writeBytes(folder / "target", "secret");
    std::filesystem::create_symlink(folder / "target", folder / kName);
    std::filesystem::create_directory(folder / "Orvendal_interface_1.wav");
    ::mkfifo((folder / "Orvendal_interface_2.wav").c_str(), 0600);

    std::string error;
    const char* names[] = {"Orvendal_interface_0.wav", "Orvendal_interface_1.wav",
                           "Orvendal_interface_2.wav", "Orvendal_interface_3.wav"};
    for (const char* name : names)
    {
        InterfaceFile file;
        ASSERT_TRUE(file.openDirectory(folder.path().string(), name, error));
        error.clear();
        EXPECT_FALSE(file.openFile(error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
    InterfaceFile missing;
    EXPECT_FALSE(missing.openDirectory((folder / "nowhere").string(), kName, error));
    EXPECT_EQ(test::readBytes(folder / "target"), "secret");
}

} // namespace
} // namespace companion
