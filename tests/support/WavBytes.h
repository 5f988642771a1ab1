#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace orv::test
{

// Builds WAV files byte by byte, so tests can make every shape a reader may meet.
class WavBytes
{
public:
    WavBytes& Tag(const char* tag)
    {
        mBytes.insert(mBytes.end(), tag, tag + 4);
        return *this;
    }
    WavBytes& U16(uint16_t value)
    {
        mBytes.push_back(static_cast<unsigned char>(value & 0xFF));
        mBytes.push_back(static_cast<unsigned char>(value >> 8));
        return *this;
    }
    WavBytes& U32(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            mBytes.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
        return *this;
    }
    WavBytes& Floats(const std::vector<float>& samples)
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(samples.data());
        mBytes.insert(mBytes.end(), bytes, bytes + samples.size() * sizeof(float));
        return *this;
    }
    // A chunk with the given tag and size bytes of zeros.
    WavBytes& Chunk(const char* tag, uint32_t size)
    {
        Tag(tag).U32(size);
        mBytes.insert(mBytes.end(), size, 0);
        return *this;
    }
    // A format chunk body of the usual 16 bytes.
    WavBytes& Format(uint16_t code, uint16_t channels, uint32_t rate, uint16_t bits,
                     const char* tag = "fmt ")
    {
        return Tag(tag)
            .U32(16)
            .U16(code)
            .U16(channels)
            .U32(rate)
            .U32(rate * channels * bits / 8)
            .U16(static_cast<uint16_t>(channels * bits / 8))
            .U16(bits);
    }

    const std::vector<unsigned char>& Bytes() const { return mBytes; }
    size_t Size() const { return mBytes.size(); }

    bool WriteTo(const std::string& path, size_t length = SIZE_MAX) const
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        const size_t count = length < mBytes.size() ? length : mBytes.size();
        file.write(reinterpret_cast<const char*>(mBytes.data()),
                   static_cast<std::streamsize>(count));
        return static_cast<bool>(file);
    }

    // The plug-in's own layout: a 44-byte header and the samples.
    static WavBytes Interface(const std::vector<float>& samples, uint32_t rate)
    {
        WavBytes wav;
        const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 4);
        wav.Tag("RIFF").U32(36 + dataSize).Tag("WAVE").Format(3, 1, rate, 32);
        wav.Tag("data").U32(dataSize).Floats(samples);
        return wav;
    }

private:
    std::vector<unsigned char> mBytes;
};

} // namespace orv::test
