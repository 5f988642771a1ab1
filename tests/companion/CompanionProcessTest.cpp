// The real orvendal-qv as a process: stopped by its signals, and killed outright at random
// moments of a long "process" request.
#include "CompanionProcess.h"
#include "CompanionConstants.h"
#include "ErrorAnswer.h"
#include "LoopbackClient.h"
#include "ParametersAnswer.h"
#include "SignalTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include <sys/wait.h>

namespace companion
{
namespace
{

using namespace test;

const std::string kName = "Orvendal_interface_0.wav";

// A tone with noise, long enough that processing it takes the better part of a second (four
// minutes: about a second and a half).
void writeLongFile(const std::filesystem::path& path, double seconds)
{
    auto x = sine(1000.0, 0.25, 48000.0, static_cast<size_t>(seconds * 48000));
    add(x, noise(0.01, x.size()));
    writeWav(path, x, 48000);
}

// A folder with one long interface file, and one for the companion's log.
struct LongFile
{
    explicit LongFile(double seconds) : path(folder / kName)
    {
        writeLongFile(path, seconds);
        original = readBytes(path);
    }
    TempFolder logs;
    TempFolder folder;
    std::filesystem::path path;
    std::string original;
};

TEST(CompanionProcess, StopsWithinASecondOnItsSignalsWhateverItsConnectionsDo)
{
    LongFile f(240.0);
    const auto& path = f.path;
    const std::string& original = f.original;
    for (int number : {SIGTERM, SIGINT})
    {
        CompanionProcess companion(ORV_COMPANION_EXE, f.logs / "companion.log");
        ASSERT_NE(companion.port(), 0) << companion.log();
        std::vector<int> idle;
        for (int i = 0; i < 200; ++i)
            idle.push_back(connectTo(companion.port()));
        const int trickler = connectTo(companion.port());
        ::send(trickler, "{req", 4, MSG_NOSIGNAL);
        std::string answer;
        std::thread client([&] { answer = exchange(companion.port(), longRequest(path)); });
        // The file is under way when the signal comes.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(exchange(companion.port(), kParametersRequest), ParametersAnswer::build());

        const auto start = Clock::now();
        companion.signal(number);
        EXPECT_TRUE(companion.waitForExit(1000)) << number;
        EXPECT_LT(millisecondsSince(start), 1000.0);
        client.join();
        EXPECT_TRUE(WIFEXITED(companion.status()) && WEXITSTATUS(companion.status()) == 0)
            << companion.status();
        EXPECT_EQ(answer, ErrorAnswer::build(kStoppedReason));
        EXPECT_EQ(readBytes(path), original);
        EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName});
        for (int fd : idle)
            ::close(fd);
        ::close(trickler);
    }
}

TEST(CompanionProcess, KilledAtAnyMomentLeavesTheFileWholeAndNothingBeside)
{
    LongFile f(30.0);
    const auto& path = f.path;
    const std::string& original = f.original;

    // The complete result, and how long it takes.
    std::string processed;
    double milliseconds = 0.0;
    {
        CompanionProcess companion(ORV_COMPANION_EXE, f.logs / "companion.log");
        ASSERT_NE(companion.port(), 0) << companion.log();
        const auto start = Clock::now();
        ASSERT_TRUE(isReport(exchange(companion.port(), longRequest(path)))) << companion.log();
        milliseconds = millisecondsSince(start);
        processed = readBytes(path);
        ASSERT_NE(processed, original);
    }

    std::mt19937 random(13);
    // Twice the measured time: a loaded machine may take longer than the run measured above.
    std::uniform_real_distribution<double> moment(0.0, 2.0 * milliseconds);
    int originals = 0;
    int results = 0;
    for (int round = 0; round <= 20; ++round)
    {
        CompanionProcess companion(ORV_COMPANION_EXE, f.logs / "companion.log");
        ASSERT_NE(companion.port(), 0) << companion.log();
        // Any request on the folder clears what the last killed companion left there; this
        // one has no tool on, so it changes nothing else and its report says so.
        EXPECT_EQ(exchange(companion.port(), processRequest("false", "0", 0, 24000, path.string())),
                  "{\"report\":\"no tool is switched on, left as it was\"}\n");
        EXPECT_EQ(f.folder.names(), std::vector<std::string>{kName}) << "after round " << round - 1;
        if (round == 20) break;

        writeBytes(path, original);
        const int client = connectTo(companion.port());
        const std::string request = longRequest(path);
        ::send(client, request.data(), request.size(), MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(moment(random)));
        companion.signal(SIGKILL);
        ASSERT_TRUE(companion.waitForExit(5000));
        ::close(client);

        const std::string now = readBytes(path);
        ASSERT_TRUE(now == original || now == processed)
            << "round " << round << ": " << now.size()
            << " bytes, neither the original nor the result";
        (now == original ? originals : results) += 1;
    }
    // The moments cover the run: some kills come before the end, some after.
    EXPECT_GT(originals, 0);
    EXPECT_GT(results, 0);
}

} // namespace
} // namespace companion
