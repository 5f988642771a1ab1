#include "DelayLine.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

TEST(DelayLine, DelaysExactlyInPlaceOrNotInChunksAcrossTheRingsEnd)
{
    const std::vector<float> x = test::noise(0.5, 5000, 11);
    for (size_t length : {0u, 1u, 37u, 1024u})
        for (bool inPlace : {false, true})
        {
            DelayLine line(length);
            std::vector<float> y = x;
            std::vector<float> out(x.size());
            size_t chunk = 1;
            for (size_t at = 0; at < x.size(); at += chunk, chunk = chunk * 7 % 1501 + 1)
            {
                const size_t step = std::min(chunk, x.size() - at);
                line.process(y.data() + at, inPlace ? y.data() + at : out.data() + at, step);
            }
            const std::vector<float>& result = inPlace ? y : out;
            for (size_t i = 0; i < x.size(); ++i)
                ASSERT_EQ(result[i], i < length ? 0.0f : x[i - length])
                    << "length " << length << " in place " << inPlace << " at " << i;
        }
}

TEST(DelayLine, AddsTheDelayedInputToWhatTheOutputHoldsInChunksShorterAndLongerThanItself)
{
    const std::vector<float> x = test::noise(0.5, 5000, 12);
    const std::vector<float> held = test::noise(0.5, 5000, 13);
    for (size_t length : {0u, 1u, 37u, 1024u})
    {
        DelayLine line(length);
        std::vector<float> out = held;
        size_t chunk = 1;
        for (size_t at = 0; at < x.size(); at += chunk, chunk = chunk * 7 % 2501 + 1)
            line.addDelayed(x.data() + at, out.data() + at, std::min(chunk, x.size() - at));
        for (size_t i = 0; i < x.size(); ++i)
            ASSERT_EQ(out[i], held[i] + (i < length ? 0.0f : x[i - length]))
                << "length " << length << " at " << i;
    }
}

} // namespace
} // namespace companion
