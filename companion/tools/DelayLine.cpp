#include "DelayLine.h"

#include <algorithm>

namespace companion
{

DelayLine::DelayLine(size_t length) : ring_(length, 0.0f)
{
}

void DelayLine::process(const float* in, float* out, size_t count)
{
    if (ring_.empty())
    {
        std::copy(in, in + count, out);
        return;
    }
    for (size_t i = 0; i < count; ++i)
    {
        const float sample = in[i];
        out[i] = ring_[at_];
        ring_[at_] = sample;
        at_ = at_ + 1 == ring_.size() ? 0 : at_ + 1;
    }
}

void DelayLine::reset()
{
    std::fill(ring_.begin(), ring_.end(), 0.0f);
    at_ = 0;
}

} // namespace companion
