#pragma once

#include "UniqueFd.h"

#include <cstddef>
#include <vector>

namespace companion
{

// Samples kept in order for a later pass and read back in the same order: the first
// `memorySamples` in memory, the rest in an unnamed temporary file ($TMPDIR, else /tmp)
// that goes when the descriptor closes. Memory stays bounded whatever the length.
class SampleSpill
{
public:
    explicit SampleSpill(size_t memorySamples);

    // Keeps x[0, count) whole, or returns false (no file to spill to, or the disk is full)
    // and keeps nothing of it.
    bool append(const float* x, size_t count);
    // The next count samples in the order they were appended; false past the end (and for
    // every read after one the file failed).
    bool read(float* x, size_t count);
    // Reads from the first sample again.
    void rewind();
    size_t size() const { return memory_.size() + fileSamples_; }

private:
    bool openFile();

    size_t memorySamples_;
    std::vector<float> memory_;
    bool spilling_ = false;
    UniqueFd file_;
    size_t fileSamples_ = 0;
    size_t readAt_ = 0;
};

} // namespace companion
