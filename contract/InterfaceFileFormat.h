#pragma once

#include <cstddef>
#include <cstdint>

// The interface WAV file the plug-in writes and the companion processes in place: one channel
// of 32-bit IEEE float samples behind a plain 44-byte RIFF header, named
// "Orvendal_interface_<n>.wav" in the user's documents folder.
namespace InterfaceFileFormat
{

constexpr std::int32_t kChannelCount = 1;
constexpr std::int32_t kBitsPerSample = 32;
constexpr std::int32_t kBytesPerSample = kBitsPerSample / 8;
constexpr std::uint16_t kFormatIEEEFloat = 3;
constexpr std::uint32_t kFormatChunkSize = 16;
constexpr std::uint32_t kHeaderSize = 44;
// RIFF size before the data size is known: the header after the RIFF size field.
constexpr std::uint32_t kRiffSizeWithoutData = 36;
constexpr std::uint32_t kRiffSizeOffset = 4;
constexpr std::uint32_t kDataSizeOffset = 40;
// The longest selection whose RIFF size (36 + data size) still fits 32 bits.
constexpr long long kMaxSamples = (0xFFFFFFFFll - kRiffSizeWithoutData) / kBytesPerSample;
// "%sOrvendal_interface_%i.wav"
constexpr const char* kFileNameStem = "Orvendal_interface_";
constexpr const char* kFileNameSuffix = ".wav";
// ".Orvendal_interface_<n>.lock" beside the file: whoever holds its lock owns index n.
constexpr const char* kLockFileSuffix = ".lock";
// Indices an instance may claim, 0 first; more instances at once than this is no real use.
constexpr std::int32_t kMaxInterfaceFiles = 1000;
// Buffer of the streams that write and read the file.
constexpr std::size_t kStreamBufferBytes = 1 << 20;

} // namespace InterfaceFileFormat
