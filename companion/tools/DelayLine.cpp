#include "DelayLine.h"

#include <algorithm>
#include <cstring>

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

namespace
{
// sum += x over [0, count), eight at a time (GCC's and Clang's vector extension: at -O2 no
// loop with a remainder is vectorised).
void addInto(float* __restrict sum, const float* __restrict x, size_t count)
{
    typedef float Eight __attribute__((vector_size(32)));
    size_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        Eight a, b;
        std::memcpy(&a, sum + i, sizeof a);
        std::memcpy(&b, x + i, sizeof b);
        a += b;
        std::memcpy(sum + i, &a, sizeof a);
    }
    for (; i < count; ++i)
        sum[i] += x[i];
}
} // namespace

void DelayLine::addDelayed(const float* in, float* out, size_t count)
{
    const size_t length = ring_.size();
    if (count >= length)
    {
        // The ring's samples in order from at_, then the inputs themselves; the ring then
        // holds the last inputs, from its start.
        const size_t tail = length - at_;
        addInto(out, ring_.data() + at_, tail);
        addInto(out + tail, ring_.data(), at_);
        addInto(out + length, in, count - length);
        std::copy(in + (count - length), in + count, ring_.begin());
        at_ = 0;
        return;
    }
    // In runs up to the ring's end: each run's delayed samples added, its inputs in.
    while (count > 0)
    {
        const size_t step = std::min(count, length - at_);
        float* held = ring_.data() + at_;
        addInto(out, held, step);
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
