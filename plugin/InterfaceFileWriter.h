#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "AAX.h"

// Writes the interface file: the header when opened, the samples as they arrive, the two
// sizes when completed. Never writes through a symbolic link standing at the path: the link
// is removed and a file of its own made. Results are OfflineStatus codes (0 on success).
class InterfaceFileWriter
{
public:
    // Creates or truncates path and writes the 44-byte header with sizes 36 and 0.
    // kStatusCreateFile when the file cannot be opened or a header field cannot be written.
    int32 Open(const std::string& path, int32 channelCount, float sampleRate);
    // Appends count samples (nothing for count <= 0). kStatusAppendSlice on a failed write,
    // which may be found only at a later append or at completion, as the samples are
    // gathered before they are written.
    int32 Append(const float* samples, int32 count);
    // Writes 36 + dataSize and dataSize into the header and closes the file.
    // kStatusAppendSlice when the samples still gathered cannot be written, else
    // kStatusCompleteFile when the file is not open or a size cannot be written; the file is
    // closed in either case.
    int32 Complete(uint32 dataSize);

    // Closes the file as it stands, sizes not written (a pass abandoned half-way).
    void Close();
    bool IsOpen() const { return mStream.is_open(); }

private:
    bool WriteTag(const char* tag);
    bool WriteU16(uint16 value);
    bool WriteU32(uint32 value);
    bool WriteHeader(int32 channelCount, float sampleRate);

    // Hands the samples held back to the stream; false when the stream has failed.
    bool Flush();

    // Windows arrive a few kilobytes at a time, and the stream passes writes of that size
    // straight to the system one by one; gathered here, they go out a mebibyte at a time.
    std::vector<char> mPending;
    std::ofstream mStream;
};
