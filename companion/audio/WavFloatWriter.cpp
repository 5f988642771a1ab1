#include "WavFloatWriter.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace companion
{

namespace
{
using namespace InterfaceFileFormat;
constexpr uint32_t kChannels = static_cast<uint32_t>(kChannelCount);
constexpr uint32_t kSampleBytes = static_cast<uint32_t>(kBytesPerSample);

void put(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

void put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
} // namespace

WavFloatWriter::WavFloatWriter(int fd, uint32_t sampleRate, uint32_t samples)
    : fd_(fd), sampleRate_(sampleRate), samples_(samples)
{
}

std::vector<uint8_t> WavFloatWriter::header(uint32_t sampleRate, uint32_t samples)
{
    const uint32_t dataBytes = samples * kSampleBytes;
    std::vector<uint8_t> out;
    put(out, "RIFF");
    put(out, kRiffSizeWithoutData + dataBytes, 4);
    put(out, "WAVE");
    put(out, "fmt ");
    put(out, kFormatChunkSize, 4);
    put(out, kFormatIEEEFloat, 2);
    put(out, kChannels, 2);
    put(out, sampleRate, 4);
    put(out, sampleRate * kChannels * kSampleBytes, 4);
    put(out, kChannels * kSampleBytes, 2);
    put(out, static_cast<uint32_t>(kBitsPerSample), 2);
    put(out, "data");
    put(out, dataBytes, 4);
    return out;
}

bool WavFloatWriter::writeAll(const void* data, size_t bytes)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (bytes > 0)
    {
        const ssize_t done = ::write(fd_, p, bytes);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0)
        {
            systemError_ = done < 0 ? errno : ENOSPC; // a write of 0 bytes means no room
            return false;
        }
        p += done;
        bytes -= static_cast<size_t>(done);
    }
    return true;
}

bool WavFloatWriter::writeHeader()
{
    const std::vector<uint8_t> bytes = header(sampleRate_, samples_);
    return writeAll(bytes.data(), bytes.size());
}

bool WavFloatWriter::write(const float* in, size_t count)
{
    if (written_ + count > samples_) return false;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // The file's byte order already: no conversion needed.
    if (!writeAll(in, count * kSampleBytes)) return false;
    written_ += count;
    return true;
#endif
    buffer_.resize(count * kSampleBytes);
    for (size_t i = 0; i < count; ++i)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &in[i], sizeof(bits));
        for (uint32_t b = 0; b < kSampleBytes; ++b)
            buffer_[i * kSampleBytes + b] = static_cast<uint8_t>(bits >> (8 * b));
    }
    if (!writeAll(buffer_.data(), buffer_.size())) return false;
    written_ += count;
    return true;
}

bool WavFloatWriter::finish()
{
    if (written_ != samples_) return false;
    if (::fsync(fd_) == 0) return true;
    systemError_ = errno;
    return false;
}

} // namespace companion
