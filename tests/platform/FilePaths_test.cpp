#include "FilePaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

namespace
{

namespace fs = std::filesystem;
using orv::platform::CanonicalFolderPath;
using orv::platform::RemoveLinkAt;

TEST(FilePaths, CanonicalFolderPathsHaveOnlyPlainComponents)
{
    orv::test::TempFolder folder;
    fs::create_directories(fs::path(folder.Path()) / "home/Documents");
    // The temporary folder itself may sit behind a link; its canonical form is the base.
    std::string base;
    ASSERT_TRUE(CanonicalFolderPath(folder.Path(), base));
    const std::string documents = base + "/home/Documents";

    for (const std::string& written :
         {folder.Path() + "/home/Documents/", folder.Path() + "/home//Documents",
          folder.Path() + "/./home/./Documents/.",
          folder.Path() + "/home/Documents/../Documents//"})
    {
        std::string canonical;
        ASSERT_TRUE(CanonicalFolderPath(written, canonical)) << written;
        EXPECT_EQ(canonical, documents) << written;
    }
    std::string root;
    ASSERT_TRUE(CanonicalFolderPath("//", root));
    EXPECT_EQ(root, "/");

    // A linked folder resolves to where it leads, so whoever follows the path sees no link.
    fs::create_directory_symlink(documents, fs::path(base) / "linked");
    std::string canonical;
    ASSERT_TRUE(CanonicalFolderPath(base + "/linked/", canonical));
    EXPECT_EQ(canonical, documents);

    // Nothing there, or a file where a folder is due: no folder path at all, and the
    // output is left alone.
    std::ofstream(fs::path(base) / "file") << "x";
    std::string untouched = "before";
    EXPECT_FALSE(CanonicalFolderPath(base + "/missing", untouched));
    EXPECT_FALSE(CanonicalFolderPath(base + "/file", untouched));
    EXPECT_FALSE(CanonicalFolderPath("", untouched));
    EXPECT_EQ(untouched, "before");
}

TEST(FilePaths, RemoveLinkAtTakesAwayLinksOnly)
{
    orv::test::TempFolder folder;
    const fs::path base = folder.Path();
    std::ofstream(base / "target") << "keep me";
    fs::create_symlink(base / "target", base / "link");
    fs::create_symlink(base / "nowhere", base / "dangling");

    EXPECT_TRUE(RemoveLinkAt((base / "link").string()));
    EXPECT_FALSE(fs::exists(fs::symlink_status(base / "link")));
    EXPECT_TRUE(RemoveLinkAt((base / "dangling").string()));
    EXPECT_FALSE(fs::exists(fs::symlink_status(base / "dangling")));

    // The link's target, a plain file and nothing at all stay as they are.
    EXPECT_TRUE(RemoveLinkAt((base / "target").string()));
    EXPECT_TRUE(RemoveLinkAt((base / "absent").string()));
    std::ifstream target(base / "target");
    std::string text;
    std::getline(target, text);
    EXPECT_EQ(text, "keep me");
}

} // namespace
