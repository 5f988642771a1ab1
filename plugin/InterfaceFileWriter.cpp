#include "InterfaceFileWriter.h"

#include "FilePaths.h"
#include "InterfaceFileFormat.h"
#include "OfflineStatus.h"

using namespace InterfaceFileFormat;

int32 InterfaceFileWriter::Open(const std::string& path, int32 channelCount, float sampleRate)
{
    if (mStream.is_open()) mStream.close();
    mStream.clear();
    if (path.empty()) return kStatusCreateFile;
    // A link someone left at the path would have the selection written into its target.
    if (!orv::platform::RemoveLinkAt(path)) return kStatusCreateFile;
    mPending.clear();
    mPending.reserve(kStreamBufferBytes);
    // The user's audio: private before the first byte goes in.
    if (!orv::platform::MakePrivateFile(path))
    {
        mStream.setstate(std::ios::failbit); // nothing may be appended either
        return kStatusCreateFile;
    }
    mStream.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
    if (!mStream.is_open()) return kStatusCreateFile;
    if (!WriteHeader(channelCount, sampleRate)) return kStatusCreateFile;
    return kStatusNone;
}

int32 InterfaceFileWriter::Append(const float* samples, int32 count)
{
    if (count <= 0) return mStream ? kStatusNone : kStatusAppendSlice;
    const char* const bytes = reinterpret_cast<const char*>(samples);
    const size_t size = static_cast<size_t>(count) * kBytesPerSample;
    if (mPending.size() + size > kStreamBufferBytes && !Flush()) return kStatusAppendSlice;
    if (size >= kStreamBufferBytes)
        mStream.write(bytes, static_cast<std::streamsize>(size));
    else
        mPending.insert(mPending.end(), bytes, bytes + size);
    return mStream ? kStatusNone : kStatusAppendSlice;
}

int32 InterfaceFileWriter::Complete(uint32 dataSize)
{
    if (!mStream.is_open()) return kStatusCompleteFile;
    const bool flushed = Flush();
    int32 status = kStatusNone;
    mStream.seekp(kRiffSizeOffset);
    if (!mStream || !WriteU32(kRiffSizeWithoutData + dataSize)) status = kStatusCompleteFile;
    mStream.clear();
    mStream.seekp(kDataSizeOffset);
    if (!mStream || !WriteU32(dataSize)) status = kStatusCompleteFile;
    // Samples still gathered here belong to slices: losing them is a slice's failure.
    if (!flushed) status = kStatusAppendSlice;
    mStream.close();
    return status;
}

void InterfaceFileWriter::Close()
{
    mPending.clear();
    if (mStream.is_open()) mStream.close();
    mStream.clear();
}

bool InterfaceFileWriter::Flush()
{
    if (!mPending.empty())
        mStream.write(mPending.data(), static_cast<std::streamsize>(mPending.size()));
    mPending.clear();
    return static_cast<bool>(mStream);
}

bool InterfaceFileWriter::WriteTag(const char* tag)
{
    mStream.write(tag, 4);
    return static_cast<bool>(mStream);
}

bool InterfaceFileWriter::WriteU16(uint16 value)
{
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    mStream.write(bytes, sizeof bytes);
    return static_cast<bool>(mStream);
}

bool InterfaceFileWriter::WriteU32(uint32 value)
{
    const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                           static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
    mStream.write(bytes, sizeof bytes);
    return static_cast<bool>(mStream);
}

bool InterfaceFileWriter::WriteHeader(int32 channelCount, float sampleRate)
{
    // The rate is cut to whole hertz; a rate no unsigned field can hold is written as 0
    // rather than converted out of range.
    const bool rateFits = sampleRate >= 0.0f && sampleRate < 4294967296.0f;
    const uint32 rate = rateFits ? static_cast<uint32>(sampleRate) : 0;
    const float bytesPerSecondF = static_cast<float>(channelCount) * sampleRate * 4.0f;
    const bool bytesPerSecondFits = bytesPerSecondF >= 0.0f && bytesPerSecondF < 4294967296.0f;
    const uint32 bytesPerSecond = bytesPerSecondFits ? static_cast<uint32>(bytesPerSecondF) : 0;
    const uint16 channels = static_cast<uint16>(channelCount);
    return WriteTag("RIFF") && WriteU32(kRiffSizeWithoutData) && WriteTag("WAVE") &&
           WriteTag("fmt ") && WriteU32(kFormatChunkSize) && WriteU16(kFormatIEEEFloat) &&
           WriteU16(channels) && WriteU32(rate) && WriteU32(bytesPerSecond) &&
           WriteU16(static_cast<uint16>(channels * kBytesPerSample)) && WriteU16(kBitsPerSample) &&
           WriteTag("data") && WriteU32(0);
}
