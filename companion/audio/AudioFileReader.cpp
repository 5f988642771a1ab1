#include "AudioFileReader.h"

#include "CompanionConstants.h"
#include "InterfaceFileFormat.h"

#include <cstdint>
#include <cstring>

namespace companion
{

AudioFileReader::~AudioFileReader()
{
    if (file_) sf_close(file_);
}

bool AudioFileReader::open(int fd, std::string& error)
{
    info_ = SF_INFO{};
    file_ = sf_open_fd(fd, SFM_READ, &info_, SF_FALSE);
    if (!file_)
    {
        error = std::string("not a readable audio file: ") + sf_strerror(nullptr);
        return false;
    }
    const int container = info_.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX)
    {
        error = "not a WAV file";
        return false;
    }
    if (info_.channels != 1)
    {
        error = "the file has " + std::to_string(info_.channels) + " channels, not one";
        return false;
    }
    if (info_.samplerate < kMinSampleRate || info_.samplerate > kMaxSampleRate)
    {
        error = "sample rate " + std::to_string(info_.samplerate) + " Hz is not between " +
                std::to_string(kMinSampleRate) + " and " + std::to_string(kMaxSampleRate);
        return false;
    }
    if (info_.frames < 0 || static_cast<uint64_t>(info_.frames) >
                                static_cast<uint64_t>(InterfaceFileFormat::kMaxSamples))
    {
        error = "the file is longer than an interface file can be";
        return false;
    }
    return true;
}

long AudioFileReader::read(float* out, size_t count)
{
    const sf_count_t got = sf_read_float(file_, out, static_cast<sf_count_t>(count));
    if (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR) return -1;
    // A NaN or infinity would spread through every block a filter or transform touches.
    // Told by its exponent bits all set, four samples at once (GCC's and Clang's vector
    // extension, one SSE2 register: at -O2 no loop with a remainder is vectorised).
    typedef uint32_t Four __attribute__((vector_size(16)));
    const size_t total = static_cast<size_t>(got);
    size_t i = 0;
    for (; i + 4 <= total; i += 4)
    {
        Four bits;
        std::memcpy(&bits, out + i, sizeof bits);
        bits &= ~(Four)((bits & 0x7f800000u) == 0x7f800000u);
        std::memcpy(out + i, &bits, sizeof bits);
    }
    for (; i < total; ++i)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, out + i, sizeof bits);
        bits = (bits & 0x7f800000u) == 0x7f800000u ? 0u : bits;
        std::memcpy(out + i, &bits, sizeof bits);
    }
    return static_cast<long>(got);
}

bool AudioFileReader::rewind()
{
    return sf_seek(file_, 0, SEEK_SET) == 0;
}

} // namespace companion
