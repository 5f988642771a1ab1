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
    std::vector<uint8_t> missing(count, 0);
    for (size_t u : unknown)
        missing[u] = 1;
    std::vector<size_t> open = unknown;
    // Active set: samples that the unconstrained solution leaves on the wrong side of the
    // clip level are held at the level, and the rest solved again.
    for (int round = 0; round < 4 && !open.empty(); ++round)
    {
        solve(x, count, open, missing);
        if (!bounds.side) return;
        std::vector<size_t> still;
        still.reserve(open.size());
        bool moved = false;
        for (size_t u : open)
        {
            const int8_t side = bounds.side[u];
            if (side > 0 && x[u] < bounds.high)
            {
                x[u] = bounds.high;
                missing[u] = 0;
                moved = true;
            }
            else if (side < 0 && x[u] > bounds.low)
            {
                x[u] = bounds.low;
                missing[u] = 0;
                moved = true;
            }
            else
                still.push_back(u);
        }
        if (!moved) return;
        open.swap(still);
    }
}

void ArModel::interpolate(double* x, size_t count, const std::vector<size_t>& unknown) const
{
    interpolate(x, count, unknown, Bounds{});
}

void ArModel::solve(double* x, size_t count, const std::vector<size_t>& unknown,
                    std::vector<uint8_t>& missing) const
{
    const int p = order();
    const size_t m = unknown.size();
    // c[k]: autocorrelation of the coefficients; the normal equations are Toeplitz in it.
    std::vector<double> c(p + 1, 0.0);
    for (int k = 0; k <= p; ++k)
        for (int j = 0; j + k <= p; ++j)
            c[k] += a_[j] * a_[j + k];
    const double ridge = 1e-9 * c[0];
    const size_t width = static_cast<size_t>(p) + 1;
    band_.assign(m * width, 0.0); // band_[i * width + d] = Q(i, i - d)
    rhs_.assign(m, 0.0);
    // reach_[i]: how many unknowns before the i-th lie within the order of it. Across the
    // gaps between runs most of the band is zero, and its factor stays zero there too.
    reach_.resize(m);
    inverse_.resize(m);
    size_t first = 0;
    for (size_t i = 0; i < m; ++i)
    {
        const size_t u = unknown[i];
        while (u - unknown[first] > static_cast<size_t>(p))
            ++first;
        reach_[i] = i - first;
        double b = 0.0;
        const size_t lo = u >= static_cast<size_t>(p) ? u - p : 0;
        const size_t hi = std::min(count - 1, u + p);
        for (size_t j = lo; j <= hi; ++j)
            if (!missing[j]) b -= c[j > u ? j - u : u - j] * x[j];
        rhs_[i] = b;
        band_[i * width] = c[0] + ridge;
        for (size_t d = 1; d <= reach_[i]; ++d)
            band_[i * width + d] = c[u - unknown[i - d]];
    }
    // Banded Cholesky, Q = L L^T, in place, each row from its first non-zero on.
    for (size_t i = 0; i < m; ++i)
    {
        const size_t reach = reach_[i];
        for (size_t d = reach; d >= 1; --d)
        {
            const size_t j = i - d;
            const double* rowI = &band_[i * width + d];
            const double* rowJ = &band_[j * width];
            const size_t last = reach - d;
            double sum[4] = {band_[i * width + d], 0.0, 0.0, 0.0};
            size_t k = 1;
            for (; k + 4 <= last + 1; k += 4)
                for (size_t lane = 0; lane < 4; ++lane)
                    sum[lane] -= rowI[k + lane] * rowJ[k + lane];
            for (; k <= last; ++k)
                sum[0] -= rowI[k] * rowJ[k];
            band_[i * width + d] = ((sum[0] + sum[1]) + (sum[2] + sum[3])) * inverse_[j];
        }
        double diag = band_[i * width];
        for (size_t d = 1; d <= reach; ++d)
            diag -= band_[i * width + d] * band_[i * width + d];
        band_[i * width] = std::sqrt(std::max(diag, ridge));
        inverse_[i] = 1.0 / band_[i * width];
    }
    for (size_t i = 0; i < m; ++i)
    {
        double sum = rhs_[i];
        for (size_t d = 1; d <= reach_[i]; ++d)
            sum -= band_[i * width + d] * rhs_[i - d];
        rhs_[i] = sum * inverse_[i];
    }
    for (size_t i = m; i-- > 0;)
    {
        double sum = rhs_[i];
        for (size_t d = 1; d < width && i + d < m; ++d)
            sum -= band_[(i + d) * width + d] * rhs_[i + d];
        rhs_[i] = sum * inverse_[i];
    }
    for (size_t i = 0; i < m; ++i)
        x[unknown[i]] = rhs_[i];
}

} // namespace companion
