#include "TestCompanion.h"

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sndfile.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orv::test
{
namespace
{

constexpr uint16_t kPort = 51121;
constexpr int kPollMilliseconds = 20;
constexpr const char* kInputKey = "input: \"";

} // namespace

TestCompanion::~TestCompanion()
{
    Stop();
}

bool TestCompanion::Start()
{
    Stop();
    mListener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (mListener < 0) return false;
    const int yes = 1;
    ::setsockopt(mListener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(mListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(mListener, 8) != 0)
    {
        ::close(mListener);
        mListener = -1;
        return false;
    }
    mStopping = false;
    mThread = std::thread([this] { Serve(); });
    return true;
}

void TestCompanion::Stop()
{
    if (mThread.joinable())
    {
        mStopping = true;
        mThread.join();
    }
    if (mListener >= 0) ::close(mListener);
    mListener = -1;
}

void TestCompanion::SetBehaviour(Behaviour behaviour)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mBehaviour = behaviour;
}

void TestCompanion::SetGain(float gain)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mGain = gain;
}

void TestCompanion::SetFileBytes(std::vector<unsigned char> bytes)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mFileBytes = std::move(bytes);
}

void TestCompanion::SetAnswer(std::string answer)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mAnswer = std::move(answer);
}

std::vector<std::string> TestCompanion::Requests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequests;
}

std::vector<float> TestCompanion::LastOutput() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastOutput;
}

std::string TestCompanion::LastInputPath() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastInputPath;
}

std::string TestCompanion::InputPathOf(const std::string& request)
{
    const size_t start = request.find(kInputKey);
    if (start == std::string::npos) return {};
    const size_t from = start + std::char_traits<char>::length(kInputKey);
    const size_t end = request.find("\"}", from);
    if (end == std::string::npos) return {};
    return request.substr(from, end - from);
}

void TestCompanion::Serve()
{
    while (!mStopping)
    {
        pollfd waiting{mListener, POLLIN, 0};
        if (::poll(&waiting, 1, kPollMilliseconds) <= 0) continue;
        const int connection = ::accept(mListener, nullptr, nullptr);
        if (connection < 0) continue;
        Handle(connection);
        ::close(connection);
    }
}

void TestCompanion::Handle(int connection)
{
    std::string request;
    char buffer[512];
    while (request.find('\n') == std::string::npos)
    {
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
    }
    Behaviour behaviour;
    std::string answer;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mRequests.push_back(request);
        mLastInputPath = InputPathOf(request);
        behaviour = mBehaviour;
        answer = mAnswer;
    }
    switch (behaviour)
    {
    case Behaviour::kProcessWithGain:
        Process(InputPathOf(request));
        break;
    case Behaviour::kOverwriteFile:
    {
        std::lock_guard<std::mutex> lock(mMutex);
        std::ofstream file(InputPathOf(request), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(mFileBytes.data()),
                   static_cast<std::streamsize>(mFileBytes.size()));
        break;
    }
    case Behaviour::kCloseWithoutAnswer:
        break;
    case Behaviour::kAnswerParameters:
        ::send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
        break;
    }
}

void TestCompanion::Process(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* input = sf_open(path.c_str(), SFM_READ, &info);
    if (!input) return;
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(input, samples.data(), info.frames);
    sf_close(input);

    float gain;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        gain = mGain;
    }
    for (float& sample : samples)
        sample *= gain;

    const std::string temporary = path + ".part";
    SF_INFO outInfo{};
    outInfo.samplerate = info.samplerate;
    outInfo.channels = info.channels;
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* output = sf_open(temporary.c_str(), SFM_WRITE, &outInfo);
    if (!output) return;
    sf_writef_float(output, samples.data(), info.frames);
    sf_close(output);
    std::rename(temporary.c_str(), path.c_str());
    std::lock_guard<std::mutex> lock(mMutex);
    mLastOutput = std::move(samples);
}

} // namespace orv::test
