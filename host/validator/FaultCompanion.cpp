#include "FaultCompanion.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sndfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

#include "CompanionPort.h"
#include "CompanionProtocol.h"

namespace orv::host::validator
{
namespace
{

constexpr int kPollMilliseconds = 20;
constexpr int kDripMilliseconds = 1000;

} // namespace

FaultCompanion::~FaultCompanion()
{
    Stop();
}

bool FaultCompanion::Start()
{
    Stop();
    mListener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (mListener < 0) return false;
    const int yes = 1;
    ::setsockopt(mListener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kCompanionPort);
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

void FaultCompanion::Stop()
{
    if (mThread.joinable())
    {
        mStopping = true;
        mThread.join();
    }
    if (mListener >= 0) ::close(mListener);
    mListener = -1;
}

void FaultCompanion::SetBehaviour(Behaviour behaviour)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mBehaviour = behaviour;
}

void FaultCompanion::SetGain(float gain)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mGain = gain;
}

void FaultCompanion::SetFileBytes(std::vector<unsigned char> bytes)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mFileBytes = std::move(bytes);
}

void FaultCompanion::SetAnswer(std::string answer)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mAnswer = std::move(answer);
}

void FaultCompanion::SetLengthChange(std::int64_t samples)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mLengthChange = samples;
}

void FaultCompanion::SetKeptBytes(std::uint64_t bytes)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mKeptBytes = bytes;
}

void FaultCompanion::SetPoisonedSamples(std::vector<std::int64_t> positions)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mPoisoned = std::move(positions);
}

std::vector<std::string> FaultCompanion::Requests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequests;
}

std::vector<float> FaultCompanion::LastOutput() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastOutput;
}

std::string FaultCompanion::LastInputPath() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastInputPath;
}

std::vector<unsigned char> FaultCompanion::LastInputBytes() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastInputBytes;
}

unsigned FaultCompanion::LastInputMode() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mLastInputMode;
}

void FaultCompanion::ClearRecord()
{
    std::lock_guard<std::mutex> lock(mMutex);
    mRequests.clear();
    mLastOutput.clear();
    mLastInputPath.clear();
    mLastInputBytes.clear();
    mLastInputMode = 0;
}

std::string FaultCompanion::FailureLine(const std::string& reason)
{
    return CompanionProtocol::FailureAnswer::kPrefix + ("\"" + reason + "\"") +
           CompanionProtocol::FailureAnswer::kSuffix;
}

std::string FaultCompanion::InputPathOf(const std::string& request)
{
    const size_t start = request.find(CompanionProtocol::kInputKey);
    if (start == std::string::npos) return {};
    const size_t from = start + std::char_traits<char>::length(CompanionProtocol::kInputKey);
    const size_t end = request.find("\"}", from);
    if (end == std::string::npos) return {};
    return request.substr(from, end - from);
}

void FaultCompanion::Serve()
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

void FaultCompanion::Handle(int connection)
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
    const std::string path = InputPathOf(request);
    KeepInputBytes(path);
    switch (behaviour)
    {
    case Behaviour::kOverwriteFile:
        Overwrite(path);
        break;
    case Behaviour::kCloseWithoutAnswer:
        break;
    case Behaviour::kAnswerParameters:
        ::send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
        break;
    case Behaviour::kAnswerFailure:
    {
        const std::string line = FailureLine(answer);
        ::send(connection, line.data(), line.size(), MSG_NOSIGNAL);
        break;
    }
    case Behaviour::kTruncate:
        if (Process(path, behaviour)) Cut(path);
        break;
    case Behaviour::kGoSilent:
        ::send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
        HoldOpen(connection);
        break;
    case Behaviour::kDrip:
        Drip(connection, answer);
        break;
    case Behaviour::kProcessWithGain:
    case Behaviour::kRewriteInPlace:
    case Behaviour::kWrongRate:
    case Behaviour::kWrongLength:
    case Behaviour::kPoisonSamples:
        Process(path, behaviour);
        break;
    }
}

void FaultCompanion::HoldOpen(int connection) const
{
    char buffer[256];
    while (!mStopping)
    {
        pollfd watched{connection, POLLIN, 0};
        if (::poll(&watched, 1, kPollMilliseconds) <= 0) continue;
        if (::recv(connection, buffer, sizeof buffer, MSG_DONTWAIT) <= 0) return;
    }
}

void FaultCompanion::Drip(int connection, const std::string& answer) const
{
    for (char byte : answer)
    {
        if (::send(connection, &byte, 1, MSG_NOSIGNAL) != 1) return;
        for (int waited = 0; waited < kDripMilliseconds && !mStopping; waited += kPollMilliseconds)
            ::poll(nullptr, 0, kPollMilliseconds);
        if (mStopping) return;
    }
}

bool FaultCompanion::Process(const std::string& path, Behaviour behaviour)
{
    if (path.empty()) return false;
    SF_INFO info{};
    SNDFILE* input = sf_open(path.c_str(), SFM_READ, &info);
    if (!input) return false;
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(input, samples.data(), info.frames);
    sf_close(input);

    float gain;
    std::int64_t lengthChange;
    std::vector<std::int64_t> poisoned;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        gain = mGain;
        lengthChange = mLengthChange;
        poisoned = mPoisoned;
    }
    for (float& sample : samples)
        sample *= gain;
    sf_count_t frames = info.frames;
    if (behaviour == Behaviour::kWrongLength)
    {
        // Never the right length, never a negative one: a change that would end below zero
        // samples adds one instead.
        if (lengthChange == 0 || frames + lengthChange < 0) lengthChange = 1;
        frames += lengthChange;
        samples.resize(static_cast<size_t>(frames * info.channels), 0.0f);
    }
    if (behaviour == Behaviour::kPoisonSamples)
    {
        const float poisons[] = {std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
        for (size_t i = 0; i < poisoned.size(); ++i)
            if (poisoned[i] >= 0 && static_cast<size_t>(poisoned[i]) < samples.size())
                samples[static_cast<size_t>(poisoned[i])] = poisons[i % 3];
    }
    const int rateFactor = behaviour == Behaviour::kWrongRate ? 2 : 1;

    // Rewritten in place, the file keeps its inode: only its modification time shows it.
    const std::string temporary = behaviour == Behaviour::kRewriteInPlace ? path : path + ".part";
    SF_INFO outInfo{};
    outInfo.samplerate = info.samplerate * rateFactor;
    outInfo.channels = info.channels;
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* output = sf_open(temporary.c_str(), SFM_WRITE, &outInfo);
    if (!output) return false;
    sf_writef_float(output, samples.data(), frames);
    sf_close(output);
    if (temporary != path) std::rename(temporary.c_str(), path.c_str());
    std::lock_guard<std::mutex> lock(mMutex);
    mLastOutput = std::move(samples);
    return true;
}

constexpr std::uintmax_t kMaxKeptInputBytes = 16u << 20;

void FaultCompanion::KeepInputBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::error_code error;
    const std::uintmax_t size = path.empty() ? 0 : std::filesystem::file_size(path, error);
    // A selection of minutes makes a file of a hundred megabytes: copying it would weigh on
    // every timed round trip, and no check examines one that long byte by byte.
    if (!error && size > 0 && size <= kMaxKeptInputBytes)
    {
        std::ifstream file(path, std::ios::binary);
        bytes.resize(static_cast<size_t>(size));
        file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<size_t>(file.gcount()));
    }
    struct stat info
    {
    };
    const unsigned mode =
        !path.empty() && ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    std::lock_guard<std::mutex> lock(mMutex);
    mLastInputBytes = std::move(bytes);
    mLastInputMode = mode;
}

void FaultCompanion::Overwrite(const std::string& path)
{
    if (path.empty()) return;
    std::lock_guard<std::mutex> lock(mMutex);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(mFileBytes.data()),
               static_cast<std::streamsize>(mFileBytes.size()));
}

void FaultCompanion::Cut(const std::string& path)
{
    std::uint64_t kept;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        kept = mKeptBytes;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0) return;
    std::filesystem::resize_file(path, std::min<std::uintmax_t>(kept, size - 1), error);
}

} // namespace orv::host::validator
