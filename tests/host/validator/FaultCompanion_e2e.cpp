// The validator's loopback companion on port 51121: each way it can fail the plug-in
// leaves the file it claims to.

#include "FaultCompanion.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sndfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "CompanionPort.h"
#include "TemporaryFolder.h"

namespace
{

using namespace orv::host::validator;
using Behaviour = FaultCompanion::Behaviour;

constexpr int kRate = 44100;

// Sends a "process" request for path as the plug-in does and waits until the companion
// closes the connection.
bool RequestProcessing(const std::string& path)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kCompanionPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
    {
        ::close(fd);
        return false;
    }
    const std::string request = "{request:\"process\", input: \"" + path + "\"}\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char byte;
    while (::recv(fd, &byte, 1, 0) > 0)
    {
    }
    ::close(fd);
    return true;
}

void WriteInterfaceFile(const std::string& path, const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

struct ReadBack
{
    int rate = 0;
    std::vector<float> samples;
};

ReadBack Read(const std::string& path)
{
    ReadBack back;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return back;
    back.rate = info.samplerate;
    back.samples.resize(static_cast<size_t>(info.frames));
    sf_readf_float(file, back.samples.data(), info.frames);
    sf_close(file);
    return back;
}

TEST(FaultCompanion, EachBehaviourLeavesTheFileItClaimsTo)
{
    TemporaryFolder folder;
    const std::string path = folder / "Orvendal_interface_0.wav";
    const std::vector<float> input = {0.5f, -0.25f, 1.0f, 0.125f, -1.0f, 0.75f};
    FaultCompanion companion;
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    const auto run = [&](Behaviour behaviour)
    {
        WriteInterfaceFile(path, input);
        companion.ClearRecord();
        companion.SetBehaviour(behaviour);
        EXPECT_TRUE(RequestProcessing(path));
        return Read(path);
    };
    const std::vector<float> halved = {0.25f, -0.125f, 0.5f, 0.0625f, -0.5f, 0.375f};

    ReadBack processed = run(Behaviour::kProcessWithGain);
    EXPECT_EQ(processed.rate, kRate);
    EXPECT_EQ(processed.samples, halved);
    EXPECT_EQ(companion.LastOutput(), halved);
    EXPECT_EQ(companion.LastInputPath(), path);

    EXPECT_EQ(run(Behaviour::kCloseWithoutAnswer).samples, input);
    EXPECT_TRUE(companion.LastOutput().empty());

    // In place: the same inode holds the result.
    WriteInterfaceFile(path, input);
    std::ifstream original(path, std::ios::binary);
    const std::vector<unsigned char> written{std::istreambuf_iterator<char>(original),
                                             std::istreambuf_iterator<char>()};
    struct stat before
    {
    };
    ::stat(path.c_str(), &before);
    companion.ClearRecord();
    companion.SetBehaviour(Behaviour::kRewriteInPlace);
    EXPECT_TRUE(RequestProcessing(path));
    struct stat after
    {
    };
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Read(path).samples, halved);
    // What the request found is kept, whatever becomes of the file.
    EXPECT_EQ(companion.LastInputBytes(), written);

    ReadBack wrongRate = run(Behaviour::kWrongRate);
    EXPECT_EQ(wrongRate.rate, 2 * kRate);
    EXPECT_EQ(wrongRate.samples, halved);

    companion.SetLengthChange(-2);
    EXPECT_EQ(run(Behaviour::kWrongLength).samples,
              std::vector<float>(halved.begin(), halved.end() - 2));
    // A change to below no samples adds one instead.
    companion.SetLengthChange(-100);
    EXPECT_EQ(run(Behaviour::kWrongLength).samples.size(), input.size() + 1);

    companion.SetPoisonedSamples({1, 4, 99});
    const std::vector<float> poisoned = run(Behaviour::kPoisonSamples).samples;
    ASSERT_EQ(poisoned.size(), input.size());
    EXPECT_TRUE(std::isnan(poisoned[1]));
    EXPECT_EQ(poisoned[4], std::numeric_limits<float>::infinity());
    EXPECT_EQ(poisoned[5], halved[5]);

    // Cut: to the bytes asked for, and never left whole.
    companion.SetKeptBytes(10);
    run(Behaviour::kTruncate);
    EXPECT_EQ(std::filesystem::file_size(path), 10u);
    companion.SetKeptBytes(1u << 30);
    WriteInterfaceFile(path, input);
    const auto whole = std::filesystem::file_size(path);
    run(Behaviour::kTruncate);
    EXPECT_EQ(std::filesystem::file_size(path), whole - 1);

    companion.SetFileBytes({'x', 'y', 'z'});
    run(Behaviour::kOverwriteFile);
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    EXPECT_EQ(companion.Requests().size(), 1u);

    // Stopped, it gives the port back.
    companion.Stop();
    EXPECT_FALSE(CompanionPortAnswers());
    EXPECT_FALSE(RequestProcessing(path));
}

} // namespace
