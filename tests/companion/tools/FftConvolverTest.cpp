#include "FftConvolver.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

// Direct convolution, the reference.
std::vector<float> convolve(const std::vector<float>& x, const std::vector<float>& h)
{
    std::vector<float> y(x.size(), 0.0f);
    for (size_t n = 0; n < x.size(); ++n)
    {
        double sum = 0.0;
        for (size_t k = 0; k < h.size() && k <= n; ++k)
            sum += static_cast<double>(h[k]) * x[n - k];
        y[n] = static_cast<float>(sum);
    }
    return y;
}

TEST(FftConvolver, MatchesDirectConvolutionAcrossBlocksAndChunkSizes)
{
    for (size_t tapCount : {1u, 31u, 1500u, 2049u})
    {
        const std::vector<float> taps = test::noise(0.1, tapCount, 3);
        const std::vector<float> x = test::noise(0.5, 20000, 5);
        const std::vector<float> expected = convolve(x, taps);

        FftConvolver convolver(taps);
        const size_t delay = convolver.latency();
        EXPECT_EQ(delay, FftConvolver::fftSizeFor(tapCount) - tapCount + 1);
        // In place, in uneven chunks, with zeros after the input to flush the delay.
        std::vector<float> y = x;
        y.resize(x.size() + delay, 0.0f);
        size_t chunk = 1;
        for (size_t at = 0; at < y.size(); at += chunk, chunk = chunk * 5 % 3001 + 1)
        {
            const size_t n = std::min(chunk, y.size() - at);
            convolver.process(y.data() + at, y.data() + at, n);
        }
        for (size_t i = 0; i < delay; ++i)
            ASSERT_EQ(y[i], 0.0f);
        double worst = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
            worst = std::max(worst, static_cast<double>(std::fabs(y[i + delay] - expected[i])));
        EXPECT_LT(worst, 1e-4) << tapCount << " taps";

        // After reset the same input gives the same output.
        convolver.reset();
        std::vector<float> again(x.size());
        convolver.process(x.data(), again.data(), x.size());
        for (size_t i = delay; i < x.size(); ++i)
            ASSERT_FLOAT_EQ(again[i], y[i]);
    }
}

} // namespace
} // namespace companion
