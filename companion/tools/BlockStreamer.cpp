#include "BlockStreamer.h"

#include <algorithm>
#include <cstring>

namespace companion
{

BlockStreamer::BlockStreamer(size_t blockSize, BlockFunction function)
    : blockSize_(blockSize), function_(std::move(function)), input_(blockSize, 0.0f),
      output_(blockSize, 0.0f)
{
}

void BlockStreamer::process(const float* in, float* out, size_t count)
{
    while (count > 0)
    {
        size_t step = std::min(count, blockSize_ - filled_);
        // Input first: `in` may be `out`.
        std::memcpy(input_.data() + filled_, in, step * sizeof(float));
        std::memcpy(out, output_.data() + filled_, step * sizeof(float));
        filled_ += step;
        in += step;
        out += step;
        count -= step;
        if (filled_ == blockSize_)
        {
            function_(input_.data(), output_.data());
            filled_ = 0;
        }
    }
}

void BlockStreamer::reset()
{
    std::fill(input_.begin(), input_.end(), 0.0f);
    std::fill(output_.begin(), output_.end(), 0.0f);
    filled_ = 0;
}

} // namespace companion
