#include "ArModel.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// A noise floor 60 dB under the signal keeps the model stable on pure tones and silence.
constexpr double kWhiteFloor = 1e-6;
// Added to the normal equations' diagonal (relative): a run the model cannot tell apart
// from silence still gets a bounded solution.
constexpr double kRidge = 1e-9;
} // namespace

bool ArModel::fit(const double* x, const uint8_t* skip, size_t count, int order)
{
    if (count < static_cast<size_t>(2 * order + 2)) return false;
    // The window is the same fit after fit: worked out once per length.
    if (window_.size() != count)
    {
        window_.resize(count);
        for (size_t i = 0; i < count; ++i)
            window_[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * (i + 0.5) / count);
    }
    weighted_.resize(count);
    for (size_t i = 0; i < count; ++i)
        weighted_[i] = (skip && skip[i]) ? 0.0 : window_[i] * x[i];
    r_.assign(order + 1, 0.0);
    const double* p = weighted_.data();
    for (int k = 0; k <= order; ++k)
    {
        // Four running sums: the additions no longer wait on each other.
        double sum[4] = {0.0, 0.0, 0.0, 0.0};
        const size_t length = count - k;
        size_t i = 0;
        for (; i + 4 <= length; i += 4)
            for (size_t lane = 0; lane < 4; ++lane)
                sum[lane] += p[i + lane] * p[i + lane + k];
        for (; i < length; ++i)
            sum[0] += p[i] * p[i + k];
        r_[k] = (sum[0] + sum[1]) + (sum[2] + sum[3]);
    }
    if (!(r_[0] > 1e-20)) return false;
    r_[0] *= 1.0 + kWhiteFloor;
    // Levinson-Durbin.
    std::vector<double> a(order + 1, 0.0), previous(order + 1, 0.0);
    a[0] = 1.0;
    double error = r_[0];
    for (int m = 1; m <= order; ++m)
    {
        double acc = r_[m];
        for (int k = 1; k < m; ++k)
            acc += a[k] * r_[m - k];
        const double reflection = -acc / error;
        previous = a;
        for (int k = 1; k < m; ++k)
            a[k] = previous[k] + reflection * previous[m - k];
        a[m] = reflection;
        error *= 1.0 - reflection * reflection;
        if (!(error > 0.0)) return false;
    }
    a_ = std::move(a);
    // The normal equations of every interpolation under this model are Toeplitz in the
    // autocorrelation of its coefficients.
    c_.assign(order + 1, 0.0);
    for (int k = 0; k <= order; ++k)
        for (int j = 0; j + k <= order; ++j)
            c_[k] += a_[j] * a_[j + k];
    return true;
}

double ArModel::forwardError(const double* x, size_t t) const
{
    double e = 0.0;
    for (size_t k = 0; k < a_.size(); ++k)
        e += a_[k] * x[t - k];
    return e;
}

double ArModel::backwardError(const double* x, size_t t) const
{
    double e = 0.0;
    for (size_t k = 0; k < a_.size(); ++k)
        e += a_[k] * x[t + k];
    return e;
}

void ArModel::errors(const double* x, size_t from, size_t count, double* forward,
                     double* backward) const
{
    // Coefficient by coefficient over the whole span: plain multiply-adds the compiler
    // vectorises, where a sum per sample would not be.
    std::fill(forward, forward + count, 0.0);
    std::fill(backward, backward + count, 0.0);
    for (size_t k = 0; k < a_.size(); ++k)
    {
        const double c = a_[k];
        const double* past = x + from - k;
        const double* ahead = x + from + k;
        for (size_t i = 0; i < count; ++i)
        {
            forward[i] += c * past[i];
            backward[i] += c * ahead[i];
        }
    }
}

void ArModel::interpolate(double* x, size_t count, const std::vector<size_t>& unknown,
                          const Bounds& bounds) const
{
    if (unknown.empty()) return;
    if (missing_.size() < count) missing_.resize(count, 0);
    for (size_t u : unknown)
        missing_[u] = 1;
    open_ = unknown;
    // Active set: samples that the unconstrained solution leaves on the wrong side of the
    // clip level are held at the level, and the rest solved again.
    for (int round = 0; round < 4 && !open_.empty(); ++round)
    {
        solve(x, count, open_, missing_);
        if (!bounds.side || !holdAtBounds(x, bounds)) break;
    }
    for (size_t u : open_)
        missing_[u] = 0;
}

bool ArModel::holdAtBounds(double* x, const Bounds& bounds) const
{
    size_t kept = 0;
    for (size_t u : open_)
    {
        const int8_t side = bounds.side[u];
        const bool below = side > 0 && x[u] < bounds.high;
        const bool above = side < 0 && x[u] > bounds.low;
        if (below || above)
        {
            x[u] = below ? bounds.high : bounds.low;
            missing_[u] = 0;
        }
        else
            open_[kept++] = u;
    }
    const bool moved = kept < open_.size();
    open_.resize(kept);
    return moved;
}

void ArModel::interpolate(double* x, size_t count, const std::vector<size_t>& unknown) const
{
    interpolate(x, count, unknown, Bounds{});
}

void ArModel::solve(double* x, size_t count, const std::vector<size_t>& unknown,
                    const std::vector<uint8_t>& missing) const
{
    buildSystem(x, count, unknown, missing);
    factor();
    substitute();
    for (size_t i = 0; i < unknown.size(); ++i)
        x[unknown[i]] = rhs_[i];
}

void ArModel::buildSystem(const double* x, size_t count, const std::vector<size_t>& unknown,
                          const std::vector<uint8_t>& missing) const
{
    const size_t p = static_cast<size_t>(order());
    const size_t m = unknown.size();
    const size_t width = p + 1;
    const double* c = c_.data();
    band_.resize(m * width);
    extent_.resize(m);
    rhs_.resize(m);
    // The known samples within the order of the unknowns, the unknowns (and anything past
    // either end of x) zeroed: each right hand side is then one branch-free symmetric sum.
    const size_t first = unknown.front();
    known_.assign(unknown.back() - first + 2 * p + 1, 0.0);
    for (size_t j = first >= p ? first - p : 0; j < std::min(count, unknown.back() + p + 1); ++j)
        if (!missing[j]) known_[j + p - first] = x[j];
    size_t last = 0;
    for (size_t i = 0; i < m; ++i)
    {
        const size_t u = unknown[i];
        const double* around = known_.data() + (u + p - first);
        double sum[4] = {c[0] * around[0], 0.0, 0.0, 0.0};
        size_t k = 1;
        for (; k + 4 <= p + 1; k += 4)
            for (size_t lane = 0; lane < 4; ++lane)
                sum[lane] += c[k + lane] * (around[-static_cast<ptrdiff_t>(k + lane)] + around[k + lane]);
        for (; k <= p; ++k)
            sum[0] += c[k] * (around[-static_cast<ptrdiff_t>(k)] + around[k]);
        rhs_[i] = -((sum[0] + sum[1]) + (sum[2] + sum[3]));
        // Column i of the band: the unknowns after the i-th within the order of it. Across the
        // gaps between runs the rest is zero, and the factor's stays zero there too.
        last = std::max(last, i);
        while (last + 1 < m && unknown[last + 1] - u <= p)
            ++last;
        extent_[i] = last - i;
        double* column = &band_[i * width];
        column[0] = c[0] * (1.0 + kRidge);
        for (size_t t = 1; t <= extent_[i]; ++t)
            column[t] = c[unknown[i + t] - u];
    }
}

void ArModel::factor() const
{
    // Right-looking banded Cholesky, Q = L L^T, column by column: each column scales, then
    // updates the columns it reaches with plain multiply-adds (no sums waiting on each other).
    const size_t width = static_cast<size_t>(order()) + 1;
    const size_t m = extent_.size();
    const double floor = kRidge * c_[0];
    inverse_.resize(m);
    for (size_t j = 0; j < m; ++j)
    {
        double* column = &band_[j * width];
        const size_t length = extent_[j];
        column[0] = std::sqrt(std::max(column[0], floor));
        const double inverse = 1.0 / column[0];
        inverse_[j] = inverse;
        for (size_t t = 1; t <= length; ++t)
            column[t] *= inverse;
        for (size_t t = 1; t <= length; ++t)
        {
            const double f = column[t];
            double* __restrict target = &band_[(j + t) * width];
            const double* __restrict source = column + t;
            for (size_t s = 0; s <= length - t; ++s)
                target[s] -= f * source[s];
        }
    }
}

void ArModel::substitute() const
{
    const size_t width = static_cast<size_t>(order()) + 1;
    const size_t m = extent_.size();
    double* y = rhs_.data();
    for (size_t j = 0; j < m; ++j)
    {
        const double* column = &band_[j * width];
        y[j] *= inverse_[j];
        const double v = y[j];
        for (size_t t = 1; t <= extent_[j]; ++t)
            y[j + t] -= column[t] * v;
    }
    for (size_t j = m; j-- > 0;)
    {
        const double* column = &band_[j * width];
        double sum = y[j];
        for (size_t t = 1; t <= extent_[j]; ++t)
            sum -= column[t] * y[j + t];
        y[j] = sum * inverse_[j];
    }
}

} // namespace companion
