#include "InterfaceFileLocation.h"

#include <gtest/gtest.h>

namespace
{

using InterfaceFileLocation::FolderPathFromURL;
using InterfaceFileLocation::InterfaceFilePath;

TEST(InterfaceFileLocation, DecodesLocalFileURLsAndRefusesEverythingElse)
{
    std::string folder = "unchanged";
    EXPECT_TRUE(FolderPathFromURL("file:///home/user/Documents/", folder));
    EXPECT_EQ(folder, "/home/user/Documents/");
    EXPECT_TRUE(FolderPathFromURL("file:///Users/user/My%20Documents%C3%A9", folder));
    EXPECT_EQ(folder, "/Users/user/My Documents\xC3\xA9/");
    EXPECT_TRUE(FolderPathFromURL("file://localhost/data/100%25/", folder));
    EXPECT_EQ(folder, "/data/100%/");

    folder = "unchanged";
    for (const char* url :
         {"", "file://", "file:", "http://host/Users/a/", "file://server/share/",
          "Users/a/Documents/", "/Users/a/Documents/", "file:///a/%2", "file:///a/%zz/",
          "file:///a/%00/", "file:///a/?query", "file:///a/#part"})
    {
        EXPECT_FALSE(FolderPathFromURL(url, folder)) << url;
        EXPECT_EQ(folder, "unchanged") << url;
    }
}

TEST(InterfaceFileLocation, NamesTheFileAfterItsIndexWithinTheProcessorsPathLength)
{
    std::string path;
    ASSERT_TRUE(InterfaceFilePath("/home/u/Documents/", 0, path));
    EXPECT_EQ(path, "/home/u/Documents/Orvendal_interface_0.wav");

    const std::string suffix = "Orvendal_interface_0.wav";
    const std::string fits = "/" + std::string(999 - suffix.size() - 2, 'a') + "/";
    ASSERT_TRUE(InterfaceFilePath(fits, 0, path));
    EXPECT_EQ(path.size(), 999u);
    path = "kept";
    EXPECT_FALSE(InterfaceFilePath(fits + "b", 0, path));
    EXPECT_EQ(path, "kept");
}

} // namespace
