#include "InterfaceFileGuard.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

TEST(InterfaceFileGuard, AcceptsOnlyInterfaceFilesOnPlainAbsolutePaths)
{
    const auto verdict = InterfaceFileGuard::check("/Users/u/Documents/Orvendal_interface_0.wav");
    ASSERT_TRUE(verdict.accepted) << verdict.error;
    EXPECT_EQ(verdict.directory, "/Users/u/Documents");
    EXPECT_EQ(verdict.name, "Orvendal_interface_0.wav");
    const auto root = InterfaceFileGuard::check("/Orvendal_interface_123456789.wav");
    ASSERT_TRUE(root.accepted);
    EXPECT_EQ(root.directory, "/");

    const char* refused[] = {
        "",
        "Orvendal_interface_0.wav",
        "docs/Orvendal_interface_0.wav",
        "/home/u/Orvendal_interface_.wav",
        "/home/u/Orvendal_interface_0.WAV",
        "/home/u/Orvendal_interface_0.wav.bak",
        "/home/u/Orvendal_interface_-1.wav",
        "/home/u/Orvendal_interface_1234567890.wav",
        "/home/u/orvendal_interface_0.wav",
        "/home/u/Orvendal_interface_0.wav/",
        "/home/u/.bashrc",
        "/home//u/Orvendal_interface_0.wav",
        "/home/u/../../etc/Orvendal_interface_0.wav",
        "/home/./u/Orvendal_interface_0.wav",
    };
    for (const char* path : refused)
    {
        const auto no = InterfaceFileGuard::check(path);
        EXPECT_FALSE(no.accepted) << path;
        EXPECT_FALSE(no.error.empty()) << path;
    }
    EXPECT_FALSE(
        InterfaceFileGuard::check("/" + std::string(5000, 'a') + "/Orvendal_interface_0.wav")
            .accepted);
}

} // namespace
} // namespace companion
