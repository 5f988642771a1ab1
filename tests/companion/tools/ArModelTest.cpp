#include "ArModel.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace companion
{
namespace
{

std::vector<double> voiced(size_t count)
{
    std::vector<float> x = test::sine(220.0, 0.5, 48000.0, count);
    test::add(x, test::sine(660.0, 0.3, 48000.0, count));
    test::add(x, test::noise(0.01, count));
    return std::vector<double>(x.begin(), x.end());
}

TEST(ArModel, AutocorrelationBroughtUpToDateMatchesOneWorkedOutAfresh)
{
    ArModel model;
    std::vector<double> x = voiced(4096);
    std::vector<double> r, fresh;
    model.autocorrelate(x.data(), nullptr, x.size(), 24, r);
    const std::vector<double> before = x;
    std::vector<size_t> changed;
    for (size_t t = 0; t < x.size(); t += 37) // the ends too
    {
        changed.push_back(t);
        x[t] = 0.9 - x[t];
    }
    model.updateAutocorrelation(x.data(), before.data(), changed, x.size(), r);
    model.autocorrelate(x.data(), nullptr, x.size(), 24, fresh);
    for (size_t k = 0; k < r.size(); ++k)
        EXPECT_NEAR(r[k], fresh[k], 1e-12 * fresh[0]) << "lag " << k;
}

TEST(ArModel, InterpolationHeldBeyondBoundsEndsAtTheConstrainedOptimum)
{
    // Clipped at 60 % of its peak; the model fitted on the clipped signal, as De-clip's first round.
    const size_t n = 4000;
    std::vector<double> x = voiced(n);
    const double level = 0.6 * *std::max_element(x.begin(), x.end());
    std::vector<int8_t> side(n, 0);
    std::vector<size_t> unknown;
    for (size_t i = 0; i < n; ++i)
    {
        const int8_t s = x[i] >= level ? 1 : x[i] <= -level ? -1 : 0;
        x[i] = std::clamp(x[i], -level, level);
        if (s && i >= 200 && i < n - 200)
        {
            side[i] = s;
            unknown.push_back(i);
        }
    }
    ArModel model;
    ASSERT_TRUE(model.fit(x.data(), nullptr, n, 32));
    std::vector<uint8_t> held(n, 0);
    const ArModel::Bounds bounds{side.data(), level, -level, held.data()};
    for (int round = 0; round < 3; ++round)
        model.interpolate(x.data(), n, unknown, bounds);
    // The residual energy's slope at each rebuilt sample: zero where it is free, pointing
    // outwards (the energy would rise moving it beyond the level) where it is held.
    const std::vector<double>& a = model.coefficients();
    double energy = 0.0; // the slope a sample alone would give, per unit of it
    for (double c : a)
        energy += c * c;
    const double tolerance = 1e-6 * energy * level; // the solve's ridge is 1e-9 of it
    int heldCount = 0;
    for (size_t u : unknown)
    {
        double slope = 0.0;
        for (size_t k = 0; k < a.size(); ++k)
            slope += a[k] * model.forwardError(x.data(), u + k);
        const double outwards = side[u] * slope;
        if (held[u])
        {
            ++heldCount;
            EXPECT_EQ(x[u], side[u] > 0 ? level : -level) << u;
            EXPECT_GT(outwards, -tolerance) << u;
        }
        else
        {
            EXPECT_GT(side[u] * x[u], level) << u;
            EXPECT_NEAR(slope, 0.0, tolerance) << u;
        }
    }
    EXPECT_GT(heldCount, 0); // the bounds were in play
    EXPECT_LT(heldCount, static_cast<int>(unknown.size()) / 2);
}

} // namespace
} // namespace companion
