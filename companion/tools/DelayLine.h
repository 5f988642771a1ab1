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
    void reset();

private:
    std::vector<float> ring_;
    size_t at_ = 0;
};

} // namespace companion
