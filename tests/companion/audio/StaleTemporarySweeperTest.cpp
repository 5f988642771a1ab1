#include "StaleTemporarySweeper.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace companion
{
namespace
{

const std::string kName = "Orvendal_interface_0.wav";
using Folder = test::OpenTempFolder;

TEST(StaleTemporarySweeper, RemovesWhatDeadCompanionsLeftAndNothingElse)
{
    Folder f;
    test::writeBytes(f.folder / kName, "mine");
    // Left by a companion that died: nobody holds them.
    test::writeBytes(f.folder / ".Orvendal_interface_0.wav.tmp-4242-0", "stale");
    test::writeBytes(f.folder / ".Orvendal_interface_17.wav.tmp-1-3", "stale");
    // In use by a live one.
    test::writeBytes(f.folder / ".Orvendal_interface_0.wav.tmp-99-1", "live");
    const int live = ::open((f.folder / ".Orvendal_interface_0.wav.tmp-99-1").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    // Not ours: other names, a folder and a link under our pattern.
    test::writeBytes(f.folder / ".notes.txt.tmp-1-1", "theirs");
    test::writeBytes(f.folder / "Orvendal_interface_0.wav.tmp-1-1", "theirs");
    std::filesystem::create_directory(f.folder / ".Orvendal_interface_5.wav.tmp-1-1");
    std::filesystem::create_symlink(f.folder / kName, f.folder / ".Orvendal_interface_6.wav.tmp-1-1");

    auto removed = StaleTemporarySweeper::sweep(f.fd);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{".Orvendal_interface_0.wav.tmp-4242-0",
                                                 ".Orvendal_interface_17.wav.tmp-1-3"}));
    auto names = f.folder.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".Orvendal_interface_0.wav.tmp-99-1",
                                               ".Orvendal_interface_5.wav.tmp-1-1",
                                               ".Orvendal_interface_6.wav.tmp-1-1",
                                               ".notes.txt.tmp-1-1", kName,
                                               "Orvendal_interface_0.wav.tmp-1-1"}));
    EXPECT_EQ(test::readBytes(f.folder / kName), "mine");

    // Its owner gone, the live one is stale in turn.
    ::close(live);
    EXPECT_EQ(StaleTemporarySweeper::sweep(f.fd),
              std::vector<std::string>{".Orvendal_interface_0.wav.tmp-99-1"});
}

} // namespace
} // namespace companion
