#pragma once

#include "InterfaceFileFormat.h"
#include "SampleSource.h"

#include <cstdint>
#include <vector>

namespace companion
{

// Writes the processed interface file to a descriptor the caller owns: the plain 44-byte
// header of a one-channel 32-bit float WAV file (the layout the plug-in writes and checks
// step by step), then the samples, little-endian. The length is fixed up front, so the
// header is complete from the first byte; finish() checks the count and flushes to disk.
class WavFloatWriter : public SampleSink
{
public:
    WavFloatWriter(int fd, uint32_t sampleRate, uint32_t samples);

    bool writeHeader();
    bool write(const float* in, size_t count) override;
    // True when exactly the announced samples were written and they reached the disk.
    bool finish();
    // The system's error number of the write or sync that failed, 0 when none did.
    int systemError() const { return systemError_; }

    static std::vector<uint8_t> header(uint32_t sampleRate, uint32_t samples);
    static constexpr size_t kHeaderBytes = InterfaceFileFormat::kHeaderSize;

private:
    bool writeAll(const void* data, size_t bytes);

    int fd_;
    uint32_t sampleRate_;
    uint32_t samples_;
    uint64_t written_ = 0;
    int systemError_ = 0;
    std::vector<uint8_t> buffer_;
};

} // namespace companion
