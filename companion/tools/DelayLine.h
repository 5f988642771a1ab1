#pragma once

#include <cstddef>
#include <vector>

namespace companion
{

// A fixed delay of `length` samples, starting from silence: the stream a tool hands on when
// it leaves the signal exactly as it is but must keep its latency.
class DelayLine
{
public:
    explicit DelayLine(size_t length);

    // `in` and `out` may be the same buffer.
    void process(const float* in, float* out, size_t count);
    // The same added to what `out` holds (not overlapping `in`): past the length, straight
    // from `in` in one pass, where a copy into the ring, one out of it and an addition would
    // take three.
    void addDelayed(const float* in, float* out, size_t count);
    void reset();

private:
    std::vector<float> ring_;
    size_t at_ = 0;
};

} // namespace companion
