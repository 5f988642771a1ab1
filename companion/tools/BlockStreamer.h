#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace companion
{

// Turns a processor that works on whole blocks (blockSize samples in, blockSize out) into a
// stream of any block lengths, at a fixed delay of blockSize samples.
class BlockStreamer
{
public:
    using BlockFunction = std::function<void(const float* in, float* out)>;

    BlockStreamer(size_t blockSize, BlockFunction function);

    size_t latency() const { return blockSize_; }
    // `in` and `out` may be the same buffer.
    void process(const float* in, float* out, size_t count);
    void reset();

private:
    size_t blockSize_;
    BlockFunction function_;
    std::vector<float> input_;
    std::vector<float> output_;
    size_t filled_ = 0; // samples in input_, equal to the samples already taken from output_
};

} // namespace companion
