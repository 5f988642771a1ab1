#include "FftPlan.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace companion
{
namespace
{

TEST(FftPlan, RunsOnASpectrumOfItsOwnAsOnItsBuffer)
{
    const size_t size = 2048;
    const std::vector<float> x = test::noise(0.3, size, 5);
    FftPlan plan(size);
    std::copy(x.begin(), x.end(), plan.time());
    plan.forward();
    const std::vector<std::complex<float>> expected(plan.spectrum(), plan.spectrum() + plan.bins());
    FftPlan::Spectrum spectrum(plan.bins());
    std::copy(x.begin(), x.end(), plan.time());
    plan.forward(spectrum.data());
    for (size_t k = 0; k < plan.bins(); ++k)
        ASSERT_EQ(spectrum[k], expected[k]) << k;
    // Back again: the unnormalised inverse scales by the size.
    plan.inverse(spectrum.data());
    for (size_t i = 0; i < size; ++i)
        ASSERT_NEAR(plan.time()[i] / static_cast<float>(size), x[i], 1e-5f) << i;
}

} // namespace
} // namespace companion
