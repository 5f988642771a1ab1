#include "SoundFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orv::apps
{

namespace
{

// libsndfile reads integer samples as n / 2^(bits-1) but writes floats as x * (2^(bits-1) - 1);
// going through full-scale 32-bit integers instead keeps a round trip exact.
constexpr double kIntegerScale = 2147483648.0;

bool IsIntegerFormat(int format)
{
    switch (format & SF_FORMAT_SUBMASK)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
        return true;
    default:
        return false;
    }
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool SoundFileWriter::Open(const std::string& path, const SF_INFO& format, std::string* outError)
{
    mPath = path;
    std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".partial-XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
    {
        if (outError) *outError = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    mTemporaryPath = temporary.data();
    // mkstemp makes the file private; the result gets the permissions of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    SF_INFO info = format;
    info.frames = 0;
    mFile = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (!mFile)
    {
        if (outError) *outError = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    mChannels = info.channels;
    mIntegerFormat = IsIntegerFormat(info.format);
    // Rendered floats may overshoot full scale; clip rather than wrap.
    sf_command(mFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // The peak chunk carries the time of writing, so the same render would differ byte for
    // byte from one second to the next; players do not need it.
    sf_command(mFile, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    return true;
}

SoundFileWriter::~SoundFileWriter()
{
    if (mFile) sf_close(mFile);
    if (!mTemporaryPath.empty()) ::unlink(mTemporaryPath.c_str());
}

int SoundFileWriter::ToInteger(float sample)
{
    const double scaled = std::round(static_cast<double>(sample) * kIntegerScale);
    // Converting a NaN to an integer is undefined: a sample that is no number is silence.
    return std::isnan(scaled)         ? 0
           : scaled >= 2147483647.0   ? 2147483647
           : scaled <= -kIntegerScale ? -2147483647 - 1
                                      : static_cast<int>(scaled);
}

bool SoundFileWriter::Write(const float* interleaved, int64 frames)
{
    if (!mFile || frames < 0) return false;
    if (!mIntegerFormat) return sf_writef_float(mFile, interleaved, frames) == frames;

    const size_t count = static_cast<size_t>(frames * mChannels);
    mIntegers.resize(count);
    for (size_t i = 0; i < count; ++i)
        mIntegers[i] = ToInteger(interleaved[i]);
    return sf_writef_int(mFile, mIntegers.data(), frames) == frames;
}

bool SoundFileWriter::WriteIntegers(const int* interleaved, int64 frames)
{
    if (!mFile || frames < 0 || !mIntegerFormat) return false;
    return sf_writef_int(mFile, interleaved, frames) == frames;
}

bool SoundFileWriter::Commit(std::string* outError)
{
    if (!mFile) return false;
    const int closed = sf_close(mFile);
    mFile = nullptr;
    if (closed != 0 || std::rename(mTemporaryPath.c_str(), mPath.c_str()) != 0)
    {
        if (outError) *outError = "cannot write " + mPath + ": " + std::strerror(errno);
        return false;
    }
    mTemporaryPath.clear();
    return true;
}

} // namespace orv::apps
