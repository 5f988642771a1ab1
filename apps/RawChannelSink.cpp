#include "RawChannelSink.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orv::apps
{

bool RawChannelSink::Open(const std::string& folder, std::string* outError)
{
    std::string pattern = folder + "/.orvendal-render-XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    const int descriptor = ::mkstemp(path.data());
    if (descriptor < 0 || !(mFile = ::fdopen(descriptor, "w+b")))
    {
        if (descriptor >= 0) ::close(descriptor);
        if (outError)
            *outError = "cannot make a temporary file in " + folder + ": " + std::strerror(errno);
        return false;
    }
    mPath = path.data();
    return true;
}

RawChannelSink::~RawChannelSink()
{
    if (mFile) std::fclose(mFile);
    if (!mPath.empty()) ::unlink(mPath.c_str());
}

bool RawChannelSink::Write(const float* const* channels, int32 channelCount, int32 count)
{
    if (!mFile || channelCount < 1 || count < 0 || !channels || !channels[0]) return false;
    const size_t samples = static_cast<size_t>(count);
    if (std::fwrite(channels[0], sizeof(float), samples, mFile) != samples) return false;
    mWritten += count;
    return true;
}

bool RawChannelSink::Rewind()
{
    return mFile && std::fflush(mFile) == 0 && std::fseek(mFile, 0, SEEK_SET) == 0;
}

bool RawChannelSink::Read(float* samples, int64 count)
{
    if (!mFile || count < 0) return false;
    const size_t wanted = static_cast<size_t>(count);
    return std::fread(samples, sizeof(float), wanted, mFile) == wanted;
}

} // namespace orv::apps
