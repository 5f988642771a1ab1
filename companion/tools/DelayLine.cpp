#include "DelayLine.h"

#include "BinKernels.h"

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
    // In runs up to the ring's end: each run's delayed samples out, its inputs in.
    while (count > 0)
    {
        const size_t step = std::min(count, ring_.size() - at_);
        float* held = ring_.data() + at_;
        if (in == out)
        {
            std::swap_ranges(held, held + step, out);
        }
        else
        {
            std::copy(held, held + step, out);
            std::copy(in, in + step, held);
        }
        in += step;
        out += step;
        count -= step;
        at_ = at_ + step == ring_.size() ? 0 : at_ + step;
    }
}


void DelayLine::addDelayed(const float* in, float* out, size_t count)
{
    const size_t length = ring_.size();
    if (count >= length)
    {
        // The ring's samples in order from at_, then the inputs themselves; the ring then
        // holds the last inputs, from its start.
        const size_t tail = length - at_;
        BinKernels::addInto(out, ring_.data() + at_, tail);
        BinKernels::addInto(out + tail, ring_.data(), at_);
        BinKernels::addInto(out + length, in, count - length);
        std::copy(in + (count - length), in + count, ring_.begin());
        at_ = 0;
        return;
    }
    // In runs up to the ring's end: each run's delayed samples added, its inputs in.
    while (count > 0)
    {
        const size_t step = std::min(count, length - at_);
        float* held = ring_.data() + at_;
        BinKernels::addInto(out, held, step);
        std::copy(in, in + step, held);
        in += step;
        out += step;
        count -= step;
        at_ = at_ + step == length ? 0 : at_ + step;
    }
}

void DelayLine::reset()
{
    std::fill(ring_.begin(), ring_.end(), 0.0f);
    at_ = 0;
}

} // namespace companion
