#include "CompanionServer.h"
#include "DescriptorLimit.h"
#include "ErrorAnswer.h"
#include "LoopbackClient.h"
#include "LoopbackServer.h"
#include "ParametersAnswer.h"
#include "ScratchMount.h"
#include "SignalTestSupport.h"
#include "TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace companion
{
namespace
{

using namespace test;

CompanionServer::Options withWorkers(size_t workers, int deadlineMs)
{
    CompanionServer::Options options;
    options.workers = workers;
    options.lineDeadlineMs = deadlineMs;
    return options;
}

struct Server : LoopbackServer
{
    explicit Server(size_t workers = 4, int deadlineMs = 10000)
        : Server(withWorkers(workers, deadlineMs))
    {
    }
    explicit Server(CompanionServer::Options options) : LoopbackServer(options)
    {
        EXPECT_TRUE(started) << error;
    }
};

// Writes the samples as the interface file at path and returns the process request for it.
std::string writeWithRequest(const std::filesystem::path& path, const std::vector<float>& samples,
                             int rate, const std::string& tools, const std::string& presets,
                             int low, int high)
{
    test::writeWav(path, samples, rate);
    return processRequest(tools, presets, low, high, path.string());
}

TEST(CompanionServer, AnswersParametersAndClosesTheConnection)
{
    Server s;
    EXPECT_NE(s.port(), 0);
    EXPECT_NE(s.port(), kCompanionPort);
    const std::string answer = exchange(s.port(), "{request:\"parameters\"}\n");
    EXPECT_EQ(answer, ParametersAnswer::build());
    EXPECT_LT(answer.size(), 400u);
}

TEST(CompanionServer, RefusesBadRequestsAndKeepsServing)
{
    Server s;
    const std::string bad[] = {
        "GET / HTTP/1.1\r\nHost: localhost\r\n\r\n",
        std::string(10000, 'a') + "\n",
        "{request:\"parameters\"}\nextra",
        "{request: \"parameters\"}\n",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/etc/passwd\"}\n",
        std::string("\0\xff\n", 3),
    };
    for (const std::string& request : bad)
    {
        const std::string answer = exchange(s.port(), request);
        EXPECT_TRUE(ErrorAnswer::isError(answer)) << request.substr(0, 40) << ": " << answer;
        EXPECT_EQ(answer.find('\n'), answer.size() - 1) << answer;
    }

    // A client that goes away mid-line, and one that connects and leaves.
    int fd = connectTo(s.port());
    ::send(fd, "{request:", 9, MSG_NOSIGNAL);
    ::close(fd);
    ::close(connectTo(s.port()));

    EXPECT_EQ(exchange(s.port(), "{request:\"parameters\"}\n"), ParametersAnswer::build());
    EXPECT_NE(s.logText.str().find("refused"), std::string::npos);
}

TEST(CompanionServer, ServesOthersWhileAClientIsSlow)
{
    Server s(2, 3000);
    // Holds one worker: connected, line not finished.
    const int slow = connectTo(s.port());
    ::send(slow, "{request:", 9, MSG_NOSIGNAL);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(exchange(s.port(), "{request:\"parameters\"}\n"), ParametersAnswer::build());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    // The slow one is told and dropped once its time is up.
    std::string answer;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(slow, buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<size_t>(got));
    EXPECT_EQ(answer, ErrorAnswer::build("no complete request line within 3000 ms"));
    ::close(slow);
}

TEST(CompanionServer, ClosesAProcessConnectionOnlyOnceTheFileIsReplaced)
{
    Server s;
    test::TempFolder folder;
    const auto path = folder / "Orvendal_interface_0.wav";
    const auto x = test::sine(1000.0, 0.25, 44100.0, 5 * 44100);
    const std::string request =
        writeWithRequest(path, x, 44100, "false,false,false,false,true", "0,0,0,0,1", 500, 2000);
    EXPECT_TRUE(isReport(exchange(s.port(), request)));
    // Read at once after the close: the 1 kHz tone inside the removed band is gone.
    SF_INFO info;
    const auto y = test::readWav(path, info);
    ASSERT_EQ(y.size(), x.size());
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_LT(test::db(test::toneAmplitude(y, 1000.0, 44100.0, 44100, 4 * 44100) / 0.25), -60.0);
    EXPECT_NE(s.logText.str().find("processed (Band Remove band, 500-2000 Hz)"), std::string::npos)
        << s.logText.str();
}

TEST(CompanionServer, ProcessesOneFileForOneRequestAtATime)
{
    Server s;
    test::TempFolder folder;
    const auto path = folder / "Orvendal_interface_7.wav";
    const auto x = test::sine(440.0, 0.1, 48000.0, 20 * 48000);
    const std::string gain = writeWithRequest(path, x, 48000, "true", "4", 0, 24000);
    // Both +6 dB requests take effect, one after the other: +12 dB in all.
    std::thread first([&] { exchange(s.port(), gain); });
    std::thread second([&] { exchange(s.port(), gain); });
    first.join();
    second.join();
    SF_INFO info;
    const auto y = test::readWav(path, info);
    ASSERT_EQ(y.size(), x.size());
    const double expected = std::pow(10.0, 12.0 / 20.0);
    for (size_t i = 0; i < x.size(); i += 1009)
        ASSERT_NEAR(y[i], x[i] * expected, 1e-5) << i;
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(CompanionServer, ReadsNonFiniteSamplesAsSilence)
{
    Server s;
    test::TempFolder folder;
    const auto path = folder / "Orvendal_interface_0.wav";
    auto x = test::sine(440.0, 0.1, 48000.0, 3 * 48000);
    x[1000] = std::nanf("");
    x[2000] = INFINITY;
    exchange(s.port(), writeWithRequest(path, x, 48000, "false,false,false,false,true", "0,0,0,0,0",
                                        100, 1000));
    SF_INFO info;
    const auto y = test::readWav(path, info);
    ASSERT_EQ(y.size(), x.size());
    for (float v : y)
        ASSERT_TRUE(std::isfinite(v));
    EXPECT_NEAR(test::db(test::toneAmplitude(y, 440.0, 48000.0, 48000, 2 * 48000) / 0.1), 0.0,
                0.01);
}

void writeLongFile(const std::filesystem::path& path, double seconds)
{
    test::writeWav(path, test::sine(1000.0, 0.25, 48000.0, static_cast<size_t>(seconds * 48000)),
                   48000);
}

std::string gainRequest(const std::filesystem::path& path)
{
    return processRequest("true", "4", 0, 24000, path.string());
}

// True when every sample is the original raised by +6 dB.
bool raisedBySixDb(const std::filesystem::path& path, const std::vector<float>& original)
{
    SF_INFO info;
    const auto y = test::readWav(path, info);
    if (y.size() != original.size() || info.format != (SF_FORMAT_WAV | SF_FORMAT_FLOAT))
        return false;
    const double gain = std::pow(10.0, 6.0 / 20.0);
    for (size_t i = 0; i < y.size(); ++i)
        if (std::fabs(y[i] - original[i] * gain) > 1e-5) return false;
    return true;
}

TEST(CompanionServer, AnswersAtOnceWhileHundredsOfConnectionsSayNothing)
{
    DescriptorLimit::raiseToHard();
    Server s(1);
    std::vector<int> idle;
    for (int i = 0; i < 500; ++i)
    {
        const int fd = connectTo(s.port());
        ASSERT_GE(fd, 0) << i;
        idle.push_back(fd);
    }
    const auto start = Clock::now();
    EXPECT_EQ(exchange(s.port(), kParametersRequest), ParametersAnswer::build());
    EXPECT_LT(millisecondsSince(start), 100.0);

    // "process" is served too, by the one worker the idle connections never touch.
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.1, 48000.0, 48000);
    test::writeWav(folder / "Orvendal_interface_3.wav", x, 48000);
    EXPECT_TRUE(isReport(exchange(s.port(), gainRequest(folder / "Orvendal_interface_3.wav"))));
    EXPECT_TRUE(raisedBySixDb(folder / "Orvendal_interface_3.wav", x));
    // None of them was shed meanwhile.
    for (int fd : idle)
    {
        ASSERT_FALSE(heardFrom(fd, 0));
        ::close(fd);
    }
}

TEST(CompanionServer, CutsOffATricklingClientAtTheDeadlineOfTheWholeLine)
{
    Server s(1, 300);
    const int slow = connectTo(s.port());
    const auto start = Clock::now();
    // One byte every 50 ms: each read is quick, the line never ends in time.
    const std::string line = kParametersRequest;
    size_t sent = 0;
    while (!heardFrom(slow, 50) && sent < line.size() && millisecondsSince(start) < 5000)
        ::send(slow, line.data() + sent++, 1, MSG_NOSIGNAL);
    const std::string answer = readAll(slow);
    const double elapsed = millisecondsSince(start);
    ::close(slow);
    EXPECT_EQ(answer, ErrorAnswer::build("no complete request line within 300 ms"));
    EXPECT_LT(sent, line.size());
    EXPECT_GE(elapsed, 290.0);
    EXPECT_LT(elapsed, 2000.0);

    // While one trickles, the only worker still processes a file.
    const int trickler = connectTo(s.port());
    ::send(trickler, "{req", 4, MSG_NOSIGNAL);
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.1, 48000.0, 4800);
    test::writeWav(folder / "Orvendal_interface_1.wav", x, 48000);
    const auto processStart = Clock::now();
    EXPECT_TRUE(isReport(exchange(s.port(), gainRequest(folder / "Orvendal_interface_1.wav"))));
    EXPECT_LT(millisecondsSince(processStart), 250.0);
    EXPECT_TRUE(raisedBySixDb(folder / "Orvendal_interface_1.wav", x));
    ::close(trickler);
}

TEST(CompanionServer, ShedsTheOldestIdleConnectionsButNeverARequestMade)
{
    CompanionServer::Options options;
    options.workers = 1;
    options.queueLimit = 1;
    options.maxConnections = 8;
    Server s(options);
    test::TempFolder folder;
    writeLongFile(folder / "Orvendal_interface_0.wav", 120.0);
    const auto x = test::sine(440.0, 0.1, 48000.0, 4800);
    test::writeWav(folder / "Orvendal_interface_1.wav", x, 48000);

    // The worker busy with a long file, one request waiting for it.
    std::thread busy([&] { exchange(s.port(), longRequest(folder / "Orvendal_interface_0.wav")); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::string waitingAnswer = "<none>";
    std::thread waiting(
        [&]
        { waitingAnswer = exchange(s.port(), gainRequest(folder / "Orvendal_interface_1.wav")); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // The queue is full: one more is answered at once, not kept waiting.
    EXPECT_TRUE(
        ErrorAnswer::isError(exchange(s.port(), gainRequest(folder / "Orvendal_interface_1.wav"))));

    std::vector<int> idle;
    for (int i = 0; i < 12; ++i)
    {
        idle.push_back(connectTo(s.port()));
        ASSERT_GE(idle.back(), 0);
    }
    // The four oldest go, told why; the eight newest stay.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(readAll(idle[i]), ErrorAnswer::build("too many connections")) << i;
    for (int i = 4; i < 12; ++i)
        EXPECT_FALSE(heardFrom(idle[i], i == 4 ? 200 : 0)) << i;
    for (int fd : idle)
        ::close(fd);

    busy.join();
    waiting.join();
    EXPECT_TRUE(isReport(waitingAnswer)) << waitingAnswer;
    EXPECT_TRUE(raisedBySixDb(folder / "Orvendal_interface_1.wav", x));
    EXPECT_NE(s.logText.str().find("shed"), std::string::npos);
}

TEST(CompanionServer, ProcessesSixteenFilesAtOnceEachCorrectly)
{
    Server s;
    test::TempFolder folder;
    std::vector<std::vector<float>> originals;
    for (int i = 0; i < 16; ++i)
    {
        originals.push_back(test::sine(100.0 + 50.0 * i, 0.2, 48000.0, 48000 + 997 * i));
        test::writeWav(folder / ("Orvendal_interface_" + std::to_string(i) + ".wav"),
                       originals.back(), 48000);
    }
    std::vector<std::string> answers(16);
    std::vector<std::thread> clients;
    for (int i = 0; i < 16; ++i)
        clients.emplace_back(
            [&, i]
            {
                answers[i] = exchange(s.port(), gainRequest(folder / ("Orvendal_interface_" +
                                                                      std::to_string(i) + ".wav")));
            });
    for (auto& client : clients)
        client.join();
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_TRUE(isReport(answers[i])) << i;
        EXPECT_TRUE(raisedBySixDb(folder / ("Orvendal_interface_" + std::to_string(i) + ".wav"),
                                  originals[i]))
            << i;
    }
    EXPECT_EQ(folder.names().size(), 16u);
}

TEST(CompanionServer, AnswersEveryRefusalWithAnErrorAndChangesNothing)
{
    Server s;
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.1, 48000.0, 4800);
    const auto wav = folder / "Orvendal_interface_0.wav";
    test::writeWav(wav, x, 48000);
    test::writeBytes(folder / "Orvendal_interface_1.wav", "RIFF, but nothing of a WAV file");
    test::writeWav(folder / "notes.wav", x, 48000);
    std::filesystem::create_symlink(wav, folder / "Orvendal_interface_2.wav");
    std::map<std::string, std::string> before;
    for (const auto& name : folder.names())
        before[name] = test::readBytes(folder / name);

    const std::string doubled = folder.path().string() + "//Orvendal_interface_0.wav";
    const std::string requests[] = {
        processRequest("true", "4", 0, 24000, doubled),
        processRequest("true", "4", 0, 24000, (folder / "notes.wav").string()),
        processRequest("true", "4", 0, 24000, (folder / "Orvendal_interface_9.wav").string()),
        processRequest("true", "4", 0, 24000, (folder / "Orvendal_interface_1.wav").string()),
        processRequest("true", "4", 0, 24000, (folder / "Orvendal_interface_2.wav").string()),
        processRequest("true", "9", 0, 24000, wav.string()), // no such preset
        processRequest("false,false,false,false,true", "0,0,0,0,0", 3000, 2000, wav.string()),
        "{request:\"process\", tools:[true], presets: [4], input: \"" + wav.string() + "\"}\n",
    };
    std::set<std::string> reasons;
    for (const std::string& request : requests)
    {
        const std::string answer = exchange(s.port(), request);
        EXPECT_TRUE(ErrorAnswer::isError(answer)) << request << answer;
        EXPECT_LE(answer.size(), CompanionProtocol::kMaxErrorAnswerBytes);
        EXPECT_EQ(answer.find('\n'), answer.size() - 1) << answer;
        reasons.insert(answer);
    }
    // Each says its own reason.
    EXPECT_EQ(reasons.size(), std::size(requests));
    // Nothing switched on is no refusal: the file already is the result, and nothing is said.
    EXPECT_TRUE(isReport(exchange(s.port(), processRequest("false", "0", 0, 24000, wav.string()))));
    for (const auto& [name, bytes] : before)
        EXPECT_EQ(test::readBytes(folder / name), bytes) << name;
    EXPECT_EQ(folder.names().size(), before.size());
}

TEST(CompanionServer, StopAbandonsAFileUnderWayAndLeavesItAsItWas)
{
    auto s = std::make_unique<Server>(1);
    test::TempFolder folder;
    const auto path = folder / "Orvendal_interface_0.wav";
    writeLongFile(path, 240.0);
    const std::string original = test::readBytes(path);
    const auto waitingPath = folder / "Orvendal_interface_1.wav";
    test::writeWav(waitingPath, test::sine(440.0, 0.1, 48000.0, 4800), 48000);
    const std::string waitingOriginal = test::readBytes(waitingPath);
    std::string answer;
    std::thread client([&] { answer = exchange(s->port(), longRequest(path)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    // Waits for the only worker, and is answered without being processed.
    std::string queuedAnswer;
    std::thread queued([&] { queuedAnswer = exchange(s->port(), gainRequest(waitingPath)); });
    std::vector<int> idle;
    for (int i = 0; i < 50; ++i)
        idle.push_back(connectTo(s->port()));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const auto start = Clock::now();
    s->server->stop();
    EXPECT_LT(millisecondsSince(start), 1000.0);
    client.join();
    queued.join();
    EXPECT_EQ(answer, ErrorAnswer::build(kStoppedReason));
    EXPECT_EQ(queuedAnswer, ErrorAnswer::build(kStoppedReason));
    EXPECT_EQ(test::readBytes(path), original);
    EXPECT_EQ(test::readBytes(waitingPath), waitingOriginal);
    EXPECT_EQ(folder.names().size(), 2u);
    for (int fd : idle)
    {
        EXPECT_TRUE(heardFrom(fd, 1000));
        ::close(fd);
    }
}

TEST(CompanionServer, OutOfSpaceOrReadOnlyLeavesTheOriginalAndKeepsServing)
{
    test::TempFolder folder;
    const auto small = folder / "small";
    // Room for the file, not for its replacement beside it.
    test::ScratchMount mount(small, 1024);
    if (!mount.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (" << mount.error() << ")";
    Server s;
    const auto path = small / "Orvendal_interface_0.wav";
    const auto x = test::sine(440.0, 0.1, 48000.0, 150000);
    test::writeWav(path, x, 48000);
    const std::string original = test::readBytes(path);

    EXPECT_EQ(exchange(s.port(), gainRequest(path)),
              ErrorAnswer::build("cannot write the processed file: No space left on device"));
    EXPECT_EQ(test::readBytes(path), original);
    EXPECT_EQ(test::namesIn(small), std::vector<std::string>{path.filename()});

    // Still serving, and a file with room to spare is processed on the same disk.
    EXPECT_EQ(exchange(s.port(), kParametersRequest), ParametersAnswer::build());
    const auto fits = small / "Orvendal_interface_1.wav";
    const auto y = test::sine(440.0, 0.1, 48000.0, 20000);
    test::writeWav(fits, y, 48000);
    EXPECT_TRUE(isReport(exchange(s.port(), gainRequest(fits))));
    EXPECT_TRUE(raisedBySixDb(fits, y));

    ASSERT_TRUE(mount.makeReadOnly());
    const std::string answer = exchange(s.port(), gainRequest(fits));
    EXPECT_EQ(answer,
              ErrorAnswer::build("cannot create the temporary file: Read-only file system"));
    EXPECT_TRUE(raisedBySixDb(fits, y));
    EXPECT_EQ(exchange(s.port(), kParametersRequest), ParametersAnswer::build());
}

} // namespace
} // namespace companion

namespace companion
{
namespace
{

// What arrives on fd until `lines` whole lines have come or waitMs has passed, without
// waiting for the close. Stopping at the lines keeps the client's leaving well inside a
// job that a fast machine finishes in a couple of seconds.
std::string readLines(int fd, size_t lines, int waitMs)
{
    std::string got;
    const auto start = Clock::now();
    char buffer[256];
    while (millisecondsSince(start) < waitMs &&
           static_cast<size_t>(std::count(got.begin(), got.end(), '\n')) < lines)
    {
        if (!heardFrom(fd, 50)) continue;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n <= 0) break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

TEST(CompanionServer, SendsProgressWhileAJobWaitsOrRunsAndAbandonsOneWhoseClientLeft)
{
    Server s(1);
    test::TempFolder folder;
    const auto longPath = folder / "Orvendal_interface_0.wav";
    // The client leaves after two progress lines (up to a beat apart) and is found gone at
    // the next beat: the job must outlast that by far, ten minutes of audio here.
    writeLongFile(longPath, 600.0);
    const std::string longOriginal = test::readBytes(longPath);
    const auto shortPath = folder / "Orvendal_interface_1.wav";
    const auto x = test::sine(440.0, 0.1, 48000.0, 4800);
    test::writeWav(shortPath, x, 48000);

    const int running = connectTo(s.port());
    const std::string request = longRequest(longPath);
    ::send(running, request.data(), request.size(), MSG_NOSIGNAL);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // Queued behind the only worker: it hears progress 0 until its turn.
    std::string queuedAnswer;
    std::thread queued([&] { queuedAnswer = exchangeRaw(s.port(), gainRequest(shortPath)); });

    size_t runningLines = 0;
    EXPECT_EQ(withoutProgress(readLines(running, 2, 2200), &runningLines), "");
    EXPECT_GE(runningLines, 2u);
    ::close(running);
    queued.join();

    size_t queuedLines = 0;
    EXPECT_TRUE(isReport(withoutProgress(queuedAnswer, &queuedLines))) << queuedAnswer;
    EXPECT_GE(queuedLines, 2u);
    EXPECT_EQ(queuedAnswer.rfind(CompanionProtocol::ProgressAnswer::kPrefix, 0), 0u);
    EXPECT_NE(queuedAnswer.find("{\"progress\":0.000}\n"), std::string::npos);
    EXPECT_TRUE(raisedBySixDb(shortPath, x));
    // The job of the client that left was abandoned long before its end, untouched.
    EXPECT_EQ(test::readBytes(longPath), longOriginal);
    EXPECT_EQ(folder.names().size(), 2u);
    EXPECT_NE(s.logText.str().find("its client had closed, the job was abandoned"),
              std::string::npos)
        << s.logText.str();
}

} // namespace
} // namespace companion
