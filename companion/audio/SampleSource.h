#pragma once

#include <cstddef>

namespace companion
{

// A mono signal that can be read block by block, and read again from the start.
class SampleSource
{
public:
    virtual ~SampleSource() = default;
    // Fills up to `count` samples; returns how many, 0 at the end. Negative on a read error.
    virtual long read(float* out, size_t count) = 0;
    virtual bool rewind() = 0;
    virtual size_t length() const = 0;
};

// Takes the processed samples in order; false stops the run.
class SampleSink
{
public:
    virtual ~SampleSink() = default;
    virtual bool write(const float* in, size_t count) = 0;
};

} // namespace companion
