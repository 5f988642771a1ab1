// The pipe between a check's process and the runner: what the child writes arrives framed,
// whole and in order, however the bytes are split on the way.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "ChannelReader.h"
#include "ChildChannel.h"

using namespace orv::host::validator;

namespace
{

struct Heard
{
    std::vector<std::string> steps;
    std::vector<std::string> lines;
    std::vector<int> verdicts;

    ChannelReader::Handlers Handlers()
    {
        return {[this](const std::string& step) { steps.push_back(step); },
                [this](const std::string& line) { lines.push_back(line); },
                [this](int faults) { verdicts.push_back(faults); }};
    }
};

// Everything written to the channel by write, as the reader hears it.
template <class Write> Heard ThroughPipe(Write write)
{
    int fds[2];
    EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    Heard heard;
    ChannelReader reader(heard.Handlers());
    std::thread listener(
        [&]
        {
            char buffer[512];
            ssize_t count;
            while ((count = ::read(fds[0], buffer, sizeof(buffer))) > 0)
                reader.Feed(buffer, static_cast<std::size_t>(count));
            reader.Finish();
        });
    {
        ChildChannel channel(fds[1]);
        write(channel);
    }
    ::close(fds[1]);
    listener.join();
    ::close(fds[0]);
    return heard;
}

TEST(ChannelReader, SplitsFramesHoweverTheBytesArrive)
{
    const std::string bytes = "Pload the module\nR  scan: 12 ms\nRsecond line\nV2\n";
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut)
    {
        Heard heard;
        ChannelReader reader(heard.Handlers());
        reader.Feed(bytes.data(), cut);
        reader.Feed(bytes.data() + cut, bytes.size() - cut);
        reader.Finish();
        EXPECT_EQ(heard.steps, std::vector<std::string>{"load the module"}) << cut;
        EXPECT_EQ(heard.lines, (std::vector<std::string>{"  scan: 12 ms", "second line"})) << cut;
        EXPECT_EQ(heard.verdicts, std::vector<int>{2}) << cut;
    }
}

TEST(ChannelReader, OddInputIsBoundedReportTextNotAVerdict)
{
    Heard heard;
    ChannelReader reader(heard.Handlers());
    const std::string odd = "V12x\nV-1\nV\nXunknown tag\n\nRcut short";
    reader.Feed(odd.data(), odd.size());
    EXPECT_TRUE(heard.verdicts.empty());
    // The last line has no line feed yet: it waits until the child is gone.
    EXPECT_EQ(heard.lines, (std::vector<std::string>{"V12x", "V-1", "V", "Xunknown tag"}));
    reader.Finish();
    EXPECT_EQ(heard.lines.back(), "cut short");

    // A line without end comes in bounded pieces, each still a report line.
    Heard flood;
    ChannelReader bounded(flood.Handlers());
    const std::string endless = "R" + std::string(3 * ChannelReader::kMaxLine, 'x');
    bounded.Feed(endless.data(), endless.size());
    bounded.Finish();
    ASSERT_EQ(flood.lines.size(), 4u);
    std::size_t total = 0;
    for (const std::string& piece : flood.lines)
    {
        EXPECT_LT(piece.size(), ChannelReader::kMaxLine);
        EXPECT_EQ(piece.find_first_not_of('x'), std::string::npos);
        total += piece.size();
    }
    EXPECT_EQ(total, 3 * ChannelReader::kMaxLine);
}

TEST(ChildChannel, ReportStepsAndVerdictArriveInOrder)
{
    const Heard heard = ThroughPipe(
        [](ChildChannel& channel)
        {
            std::ostream report(&channel);
            channel.Progress("step one\nwith a line feed");
            report << "  FAIL scan: took " << 120 << " ms" << std::endl;
            report << "two\nlines\n";
            report << "no line feed";
            channel.Verdict(3);
        });
    EXPECT_EQ(heard.steps, std::vector<std::string>{"step one with a line feed"});
    EXPECT_EQ(heard.lines, (std::vector<std::string>{"  FAIL scan: took 120 ms", "two", "lines",
                                                     "no line feed"}));
    EXPECT_EQ(heard.verdicts, std::vector<int>{3});
}

TEST(ChildChannel, LinesFromSeveralThreadsNeverMix)
{
    constexpr int kThreads = 4;
    constexpr int kLines = 500;
    const Heard heard = ThroughPipe(
        [](ChildChannel& channel)
        {
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t)
                threads.emplace_back(
                    [&channel, t]
                    {
                        const std::string line(100, static_cast<char>('a' + t));
                        for (int i = 0; i < kLines; ++i)
                            channel.Progress(line);
                    });
            for (auto& thread : threads)
                thread.join();
        });
    ASSERT_EQ(heard.steps.size(), static_cast<std::size_t>(kThreads * kLines));
    for (const std::string& step : heard.steps)
    {
        ASSERT_EQ(step.size(), 100u);
        EXPECT_EQ(step.find_first_not_of(step.front()), std::string::npos) << step;
    }
}

} // namespace
