#pragma once

#include "AAX.h"

// The interface WAV file shared with the companion: one channel of 32-bit IEEE float
// samples behind a plain 44-byte RIFF header.
namespace InterfaceFileFormat
{

constexpr int32 kChannelCount = 1;
constexpr int32 kBitsPerSample = 32;
constexpr int32 kBytesPerSample = kBitsPerSample / 8;
constexpr uint16 kFormatIEEEFloat = 3;
constexpr uint32 kFormatChunkSize = 16;
constexpr uint32 kHeaderSize = 44;
// RIFF size before the data size is known: the header after the RIFF size field.
constexpr uint32 kRiffSizeWithoutData = 36;
constexpr uint32 kRiffSizeOffset = 4;
constexpr uint32 kDataSizeOffset = 40;
// The longest selection whose RIFF size (36 + data size) still fits 32 bits.
constexpr int64 kMaxSamples = (0xFFFFFFFFll - kRiffSizeWithoutData) / kBytesPerSample;
// "%sOrvendal_interface_%i.wav"
constexpr const char* kFileNameStem = "Orvendal_interface_";
constexpr const char* kFileNameSuffix = ".wav";
// ".Orvendal_interface_<n>.lock" beside the file: whoever holds its lock owns index n.
constexpr const char* kLockFileSuffix = ".lock";
// Indices an instance may claim, 0 first; more instances at once than this is no real use.
constexpr int32 kMaxInterfaceFiles = 1000;
// Buffer of the streams that write and read the file.
constexpr size_t kStreamBufferBytes = 1 << 20;
// Longest path the processor keeps (a 1000-byte buffer with its terminator).
constexpr size_t kMaxPathLength = 999;

} // namespace InterfaceFileFormat
