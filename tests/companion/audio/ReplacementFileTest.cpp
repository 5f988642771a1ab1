#include "ReplacementFile.h"
#include "StaleTemporarySweeper.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace companion
{
namespace
{

const std::string kName = "Orvendal_interface_0.wav";

using Folder = test::OpenTempFolder;

void writeAll(int fd, const std::string& text)
{
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

TEST(ReplacementFile, HasNoNameUntilItIsRenamedOverItsTarget)
{
    Folder f;
    test::writeBytes(f.folder / kName, "old");
    std::string error;
    {
        ReplacementFile file(f.fd, kName);
        ASSERT_TRUE(file.create(error)) << error;
        EXPECT_TRUE(file.unnamed());
        writeAll(file.fd(), "new");
        EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});
        ASSERT_TRUE(file.commit(error)) << error;
    }
    EXPECT_EQ(test::readBytes(f.folder / kName), "new");
    EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});

    {
        ReplacementFile file(f.fd, kName);
        ASSERT_TRUE(file.create(error));
        writeAll(file.fd(), "lost");
    }
    EXPECT_EQ(test::readBytes(f.folder / kName), "new");
    EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});
}

TEST(ReplacementFile, NamedWhereThereAreNoUnnamedFilesAndLockedWhileInUse)
{
    Folder f;
    test::writeBytes(f.folder / kName, "old");
    std::string error;
    {
        ReplacementFile file(f.fd, kName, ReplacementFile::Kind::Named);
        ASSERT_TRUE(file.create(error)) << error;
        EXPECT_FALSE(file.unnamed());
        writeAll(file.fd(), "new");
        const auto names = f.folder.names();
        ASSERT_EQ(names.size(), 2u);
        const std::string temporary = names[0] == kName ? names[1] : names[0];
        EXPECT_EQ(ReplacementFile::targetOf(temporary), kName);
        EXPECT_EQ(temporary.front(), '.');
        // A sweep while it is in use leaves it alone: its lock says its owner lives.
        EXPECT_TRUE(StaleTemporarySweeper::sweep(f.fd).empty());
        EXPECT_EQ(f.folder.names().size(), 2u);
        ASSERT_TRUE(file.commit(error)) << error;
    }
    EXPECT_EQ(test::readBytes(f.folder / kName), "new");
    EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});
    {
        ReplacementFile file(f.fd, kName, ReplacementFile::Kind::Named);
        ASSERT_TRUE(file.create(error));
        EXPECT_EQ(f.folder.names().size(), 2u);
    }
    EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});
}

TEST(ReplacementFile, NamesOnlyItsOwnTemporaries)
{
    EXPECT_EQ(ReplacementFile::targetOf(".Orvendal_interface_3.wav.tmp-12-0"),
              "Orvendal_interface_3.wav");
    EXPECT_EQ(ReplacementFile::targetOf(".a.tmp-b.tmp-1"), "a.tmp-b");
    EXPECT_EQ(ReplacementFile::targetOf("Orvendal_interface_3.wav.tmp-12-0"), "");
    EXPECT_EQ(ReplacementFile::targetOf(".Orvendal_interface_3.wav"), "");
    EXPECT_EQ(ReplacementFile::targetOf(".tmp-1"), "");
    EXPECT_EQ(ReplacementFile::targetOf(""), "");
}

} // namespace
} // namespace companion
