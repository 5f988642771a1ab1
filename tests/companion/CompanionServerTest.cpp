#include "CompanionServer.h"
#include "DescriptorLimit.h"
#include "ErrorAnswer.h"
#include "LoopbackClient.h"
#include "ParametersAnswer.h"
#include "SignalTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
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

struct Server
{
    explicit Server(size_t workers = 4, int timeoutMs = 10000)
        : Server(
              [&]
              {
                  CompanionServer::Options options;
                  options.workers = workers;
                  options.lineDeadlineMs = timeoutMs;
                  return options;
              }())
    {
    }
    explicit Server(CompanionServer::Options options)
    {
        options.port = 0;
        server = std::make_unique<CompanionServer>(handler, log, options);
        std::string error;
        EXPECT_TRUE(server->start(error)) << error;
    }
    uint16_t port() const { return server->port(); }

    std::ostringstream logText;
    Log log{logText, true};
    FileLockTable locks;
    ProcessingPipeline pipeline{locks, log};
    RequestHandler handler{pipeline, log};
    std::unique_ptr<CompanionServer> server;
};

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
    test::writeWav(path, x, 44100);
    const std::string request = "{request:\"process\", tools:[false,false,false,false,true], "
                                "presets: [0,0,0,0,1],rangeLow: 500, rangeHigh: 2000, input: \"" +
                                path.string() + "\"}\n";
    EXPECT_EQ(exchange(s.port(), request), "");
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
    test::writeWav(path, x, 48000);
    const std::string gain = "{request:\"process\", tools:[true], presets: [4],rangeLow: 0, "
                             "rangeHigh: 24000, input: \"" +
                             path.string() + "\"}\n";
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
    test::writeWav(path, x, 48000);
    exchange(s.port(), "{request:\"process\", tools:[false,false,false,false,true], presets: "
                       "[0,0,0,0,0],rangeLow: 100, rangeHigh: 1000, input: \"" +
                           path.string() + "\"}\n");
    SF_INFO info;
    const auto y = test::readWav(path, info);
    ASSERT_EQ(y.size(), x.size());
    for (float v : y)
        ASSERT_TRUE(std::isfinite(v));
    EXPECT_NEAR(test::db(test::toneAmplitude(y, 440.0, 48000.0, 48000, 2 * 48000) / 0.1), 0.0,
                0.01);
}

} // namespace
} // namespace companion
