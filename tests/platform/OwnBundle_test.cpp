#include "OwnBundle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "linux/ModuleBundle.h"

using namespace orv::platform;
using orv::test::TempFolder;

namespace
{

constexpr const char* kIdentifier = "com.Brenlow.Orvendal";

std::string Plist(const std::string& identifier)
{
    return "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n"
           "\t<key>CFBundleExecutable</key>\n\t<string>Orvendal QV</string>\n"
           "\t<key>CFBundleIdentifier</key>\n\t<string>" +
           identifier + "</string>\n</dict>\n</plist>\n";
}

TEST(OwnBundle, ReadsTheIdentifierOfAPropertyList)
{
    EXPECT_EQ(BundleIdentifierFromInfoPlist(Plist(kIdentifier)), kIdentifier);
    EXPECT_EQ(BundleIdentifierFromInfoPlist("<key>CFBundleName</key><string>x</string>"), "");
    // The value must follow its key directly.
    EXPECT_EQ(BundleIdentifierFromInfoPlist(
                  "<key>CFBundleIdentifier</key><key>Other</key><string>x</string>"),
              "");
    EXPECT_EQ(BundleIdentifierFromInfoPlist("<key>CFBundleIdentifier</key> <string>unclosed"), "");
}

TEST(OwnBundle, FindsTheBundleAroundAModuleWhoseInfoPlistNamesTheIdentifier)
{
    TempFolder folder;
    const std::string bundle = folder / "Orvendal QV.aaxplugin";
    std::filesystem::create_directories(bundle + "/Contents/x86_64-linux");
    const std::string module = bundle + "/Contents/x86_64-linux/Orvendal QV.so";
    std::ofstream(module) << "";
    EXPECT_EQ(BundleFolderForModule(module, kIdentifier), ""); // no Info.plist yet

    std::ofstream(bundle + "/Contents/Info.plist") << Plist(kIdentifier);
    EXPECT_EQ(BundleFolderForModule(module, kIdentifier), bundle);
    EXPECT_EQ(BundleFolderForModule(module, "com.Brenlow.Other"), "");
    EXPECT_EQ(BundleFolderForModule("relative/Contents/x/m.so", kIdentifier), "");
    EXPECT_EQ(BundleFolderForModule(folder / "m.so", kIdentifier), "");
}

TEST(OwnBundle, ATestProgramIsNoBundle)
{
    // This code is linked into a plain executable, which sits in no bundle.
    EXPECT_EQ(BundleWithIdentifier(kIdentifier), nullptr);
    EXPECT_EQ(BundleResourcesFolder(nullptr), "");
}

} // namespace
