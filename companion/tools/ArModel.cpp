#include "ArModel.h"

#include <algorithm>
#include <cmath>

// The multiply-adds below run four doubles at a time where the processor has AVX2, two
// otherwise (the same samples to within a rounding).
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ORV_WIDE_VECTORS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ORV_WIDE_VECTORS
#endif

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
// Solves per interpolation held beyond bounds: the active set settles within a few.
constexpr int kPasses = 4;

// Four doubles side by side (one AVX2 register, two SSE2 ones), and four read in place.
typedef double Lanes __attribute__((vector_size(32)));
typedef long long Offsets __attribute__((vector_size(32)));
typedef double UnalignedLanes __attribute__((vector_size(32), aligned(8), may_alias));
inline const UnalignedLanes& lanesAt(const double* x)
{
    return *reinterpret_cast<const UnalignedLanes*>(x);
}
inline UnalignedLanes& lanesIn(double* x)
{
    return *reinterpret_cast<UnalignedLanes*>(x);
}

// -sum c[k] (x[-k] + x[k]) around each of N samples (x[0] counted once), the known samples
// around them and zeros in place of the unknowns: four lags at a time per sample.
template <size_t N>
inline void rightHandSides(const double* c, size_t p, const double* const* around, double* out)
{
    Lanes sum[N];
    for (size_t q = 0; q < N; ++q)
        sum[q] = Lanes{c[0] * around[q][0], 0.0, 0.0, 0.0};
    size_t k = 1;
    for (; k + 4 <= p + 1; k += 4)
    {
        const Lanes weights = lanesAt(c + k);
        for (size_t q = 0; q < N; ++q)
        {
            const Lanes before = lanesAt(around[q] - (k + 3));
            // The four lanes in reverse order; each compiler spells the shuffle its own way.
#if defined(__clang__)
            const Lanes reversed = __builtin_shufflevector(before, before, 3, 2, 1, 0);
#else
            const Lanes reversed = __builtin_shuffle(before, Offsets{3, 2, 1, 0});
#endif
            sum[q] += weights * (reversed + lanesAt(around[q] + k));
        }
    }
    for (size_t q = 0; q < N; ++q)
    {
        for (size_t j = k; j <= p; ++j)
            sum[q][0] += c[j] * (around[q][-static_cast<ptrdiff_t>(j)] + around[q][j]);
        out[q] = -((sum[q][0] + sum[q][1]) + (sum[q][2] + sum[q][3]));
    }
}
} // namespace

bool ArModel::fit(const double* x, const uint8_t* skip, size_t count, int order)
{
    if (count < static_cast<size_t>(2 * order + 2)) return false;
    autocorrelate(x, skip, count, order, r_);
    return fitAutocorrelation(r_);
}

ORV_WIDE_VECTORS void ArModel::autocorrelate(const double* x, const uint8_t* skip, size_t count, int order,
                            std::vector<double>& r)
{
    const double* window = windowOf(count);
    weighted_.resize(count);
    for (size_t i = 0; i < count; ++i)
        weighted_[i] = (skip && skip[i]) ? 0.0 : window[i] * x[i];
    r.assign(order + 1, 0.0);
    const double* p = weighted_.data();
    int k = 0;
    // Four lags at a time share the loads and run four sums side by side; each lag adds up
    // in the same order as on its own below.
    for (; k + 4 <= order + 1 && count >= static_cast<size_t>(k + 3); k += 4)
    {
        Lanes sum[4] = {};
        const size_t shortest = count - (k + 3);
        size_t i = 0;
        for (; i + 4 <= shortest; i += 4)
        {
            const Lanes here = lanesAt(p + i);
            sum[0] += here * lanesAt(p + i + k);
            sum[1] += here * lanesAt(p + i + k + 1);
            sum[2] += here * lanesAt(p + i + k + 2);
            sum[3] += here * lanesAt(p + i + k + 3);
        }
        for (int lag = 0; lag < 4; ++lag)
        {
            const size_t length = count - (k + lag);
            size_t j = i;
            for (; j + 4 <= length; j += 4)
                sum[lag] += lanesAt(p + j) * lanesAt(p + j + k + lag);
            for (; j < length; ++j)
                sum[lag][0] += p[j] * p[j + k + lag];
            r[k + lag] = (sum[lag][0] + sum[lag][1]) + (sum[lag][2] + sum[lag][3]);
        }
    }
    for (; k <= order; ++k)
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
        r[k] = (sum[0] + sum[1]) + (sum[2] + sum[3]);
    }
}

ORV_WIDE_VECTORS void ArModel::updateAutocorrelation(const double* x, const double* before,
                                    const std::vector<size_t>& changed, size_t count,
                                    std::vector<double>& r)
{
    // w'[i] w'[i+k] - w[i] w[i+k] = (w'[i] - w[i]) w[i+k] + w'[i] (w'[i+k] - w[i+k]): each
    // changed sample t adds its change times the old sample k after it and the new one k
    // before it.
    const double* window = windowOf(count);
    const size_t order = r.size() - 1;
    for (size_t t : changed)
    {
        const double change = window[t] * (x[t] - before[t]);
        if (change == 0.0) continue;
        r[0] += change * window[t] * (x[t] + before[t]);
        const size_t ahead = std::min(order, count - 1 - t);
        for (size_t k = 1; k <= ahead; ++k)
            r[k] += change * window[t + k] * before[t + k];
        const size_t behind = std::min(order, t);
        for (size_t k = 1; k <= behind; ++k)
            r[k] += change * window[t - k] * x[t - k];
    }
}

const double* ArModel::windowOf(size_t count)
{
    // The window is the same fit after fit: worked out once per length.
    if (window_.size() != count)
    {
        window_.resize(count);
        for (size_t i = 0; i < count; ++i)
            window_[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * (i + 0.5) / count);
    }
    return window_.data();
}

bool ArModel::fitAutocorrelation(const std::vector<double>& autocorrelation)
{
    const int order = static_cast<int>(autocorrelation.size()) - 1;
    r_ = autocorrelation;
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

ORV_WIDE_VECTORS void ArModel::errors(const double* x, size_t from, size_t count, double* forward,
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
    open_.clear();
    for (size_t u : unknown)
    {
        if (bounds.held && bounds.held[u])
            x[u] = bounds.side[u] > 0 ? bounds.high : bounds.low;
        else
        {
            missing_[u] = 1;
            open_.push_back(u);
        }
    }
    // Active set (primal-dual): samples the solution leaves on the wrong side of their bound
    // are held at it, held samples the residual would rather move inwards are let go, and the
    // samples near a change solved again (a change moves little beyond the order).
    for (int pass = 0; pass < kPasses; ++pass)
    {
        if (pass == 0)
            solve(x, count, open_, missing_);
        else
            solveNearChanges(x, count);
        if (!bounds.side) break;
        changed_.clear();
        holdAtBounds(x, bounds);
        if (bounds.held) release(x, unknown, bounds);
        if (changed_.empty()) break;
        std::sort(changed_.begin(), changed_.end());
    }
    for (size_t u : open_)
        missing_[u] = 0;
}

void ArModel::solveNearChanges(double* x, size_t count) const
{
    const size_t reach = static_cast<size_t>(order());
    near_.clear();
    size_t c = 0;
    for (size_t u : open_)
    {
        while (c < changed_.size() && changed_[c] + reach < u)
            ++c;
        if (c < changed_.size() && changed_[c] <= u + reach)
            near_.push_back(u);
        else
            missing_[u] = 0; // known for this solve, at its present value
    }
    solve(x, count, near_, missing_);
    for (size_t u : open_)
        missing_[u] = 1;
}

void ArModel::holdAtBounds(double* x, const Bounds& bounds) const
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
            if (bounds.held) bounds.held[u] = 1;
            changed_.push_back(u);
        }
        else
            open_[kept++] = u;
    }
    open_.resize(kept);
}

void ArModel::release(const double* x, const std::vector<size_t>& unknown,
                      const Bounds& bounds) const
{
    // The residual energy's slope at a held sample: it is let go when the energy falls
    // moving it away from the level, into the side it may take.
    const size_t p = static_cast<size_t>(order());
    const size_t before = changed_.size();
    for (size_t u : unknown)
    {
        if (!bounds.held[u]) continue;
        double slope = c_[0] * x[u];
        for (size_t k = 1; k <= p; ++k)
            slope += c_[k] * (x[u - k] + x[u + k]);
        if (bounds.side[u] > 0 ? slope < 0.0 : slope > 0.0)
        {
            bounds.held[u] = 0;
            missing_[u] = 1;
            changed_.push_back(u);
        }
    }
    if (changed_.size() == before) return;
    open_.clear();
    for (size_t u : unknown)
        if (missing_[u]) open_.push_back(u);
}

void ArModel::interpolate(double* x, size_t count, const std::vector<size_t>& unknown) const
{
    interpolate(x, count, unknown, Bounds{});
}

void ArModel::solve(double* x, size_t count, const std::vector<size_t>& unknown,
                    const std::vector<uint8_t>& missing) const
{
    if (unknown.empty()) return;
    buildSystem(x, count, unknown, missing);
    factor();
    substitute();
    for (size_t i = 0; i < unknown.size(); ++i)
        x[unknown[i]] = rhs_[i];
}

ORV_WIDE_VECTORS void ArModel::buildSystem(const double* x, size_t count, const std::vector<size_t>& unknown,
                          const std::vector<uint8_t>& missing) const
{
    buildRightHandSides(x, count, unknown, missing);
    buildBand(unknown);
}

ORV_WIDE_VECTORS void ArModel::buildRightHandSides(const double* x, size_t count,
                                                   const std::vector<size_t>& unknown,
                                                   const std::vector<uint8_t>& missing) const
{
    const size_t p = static_cast<size_t>(order());
    const size_t m = unknown.size();
    const double* c = c_.data();
    rhs_.resize(m + 4);
    std::fill(rhs_.begin() + m, rhs_.end(), 0.0);
    // The known samples within the order of the unknowns, the unknowns (and anything past
    // either end of x) zeroed: each right hand side is then one branch-free symmetric sum.
    const size_t first = unknown.front();
    known_.assign(unknown.back() - first + 2 * p + 1, 0.0);
    const size_t from = first >= p ? first - p : 0;
    const size_t to = std::min(count, unknown.back() + p + 1);
    double* known = known_.data() + (from + p - first);
    for (size_t j = from; j < to; ++j)
        known[j - from] = missing[j] ? 0.0 : x[j];
    // Four unknowns at a time: their sums run side by side, each in the order of one alone.
    const double* around[4];
    size_t i = 0;
    for (; i + 4 <= m; i += 4)
    {
        for (size_t q = 0; q < 4; ++q)
            around[q] = known_.data() + (unknown[i + q] + p - first);
        rightHandSides<4>(c, p, around, &rhs_[i]);
    }
    for (; i < m; ++i)
    {
        around[0] = known_.data() + (unknown[i] + p - first);
        rightHandSides<1>(c, p, around, &rhs_[i]);
    }
}

ORV_WIDE_VECTORS void ArModel::buildBand(const std::vector<size_t>& unknown) const
{
    const size_t p = static_cast<size_t>(order());
    const size_t m = unknown.size();
    const size_t width = stride();
    const double* c = c_.data();
    band_.resize(m * width);
    extent_.resize(m);
    following_.resize(m);
    following_[m - 1] = 0;
    for (size_t i = m - 1; i-- > 0;)
        following_[i] = unknown[i + 1] == unknown[i] + 1 ? following_[i + 1] + 1 : 0;
    size_t last = 0;
    for (size_t i = 0; i < m; ++i)
    {
        const size_t u = unknown[i];
        // Column i of the band: the unknowns after the i-th within the order of it. Across the
        // gaps between runs the rest is zero, and the factor's stays zero there too.
        last = std::max(last, i);
        while (last + 1 < m && unknown[last + 1] - u <= p)
            ++last;
        extent_[i] = last - i;
        double* column = &band_[i * width];
        column[0] = c[0] * (1.0 + kRidge);
        // Within a run the unknowns follow one another: each run's part of the column is a
        // stretch of the coefficients' autocorrelation as it stands.
        for (size_t t = 1; t <= extent_[i];)
        {
            const size_t stretch = std::min(extent_[i] - t + 1, following_[i + t] + 1);
            std::copy_n(c + (unknown[i + t] - u), stretch, column + t);
            t += stretch;
        }
        std::fill(column + extent_[i] + 1, column + width, 0.0);
    }
}

ORV_WIDE_VECTORS void ArModel::factor() const
{
    // Right-looking banded Cholesky, Q = L L^T, two columns at a time: each pair scales,
    // then updates the columns it reaches with plain multiply-adds (no sums waiting on each
    // other), four rows at a time, every target loaded and stored once for both: the zeros
    // past each column's extent leave the rest as it was. Each target takes the first
    // column's share and then the second's, as one column at a time would.
    const size_t width = stride();
    const size_t m = extent_.size();
    const double floor = kRidge * c_[0];
    inverse_.resize(m);
    const auto scale = [&](size_t j) {
        double* column = &band_[j * width];
        column[0] = std::sqrt(std::max(column[0], floor));
        const double inverse = 1.0 / column[0];
        inverse_[j] = inverse;
        for (size_t t = 1; t <= extent_[j]; ++t)
            column[t] *= inverse;
    };
    for (size_t j = 0; j < m;)
    {
        scale(j);
        const size_t firstLength = extent_[j];
        if (firstLength == 0)
        {
            ++j;
            continue;
        }
        const double* first = &band_[j * width];
        double* second = &band_[(j + 1) * width];
        {
            const double f = first[1];
            for (size_t s = 0; s < firstLength; s += 4)
                lanesIn(second + s) = lanesAt(second + s) - f * lanesAt(first + 1 + s);
        }
        scale(j + 1);
        const size_t reach = std::max(firstLength, extent_[j + 1] + 1);
        for (size_t t = 2; t <= reach; ++t)
        {
            const double a = first[t];
            const double b = second[t - 1];
            double* target = &band_[(j + t) * width];
            const double* fromFirst = first + t;
            const double* fromSecond = second + t - 1;
            const size_t rows = reach - t + 1;
            for (size_t s = 0; s < rows; s += 4)
                lanesIn(target + s) = (lanesAt(target + s) - a * lanesAt(fromFirst + s)) -
                                      b * lanesAt(fromSecond + s);
        }
        j += 2;
    }
}

ORV_WIDE_VECTORS void ArModel::substitute() const
{
    // Four rows at a time over the zeros past each column's extent (and past the last
    // unknown: rhs_ ends in four zeros); the back substitution's sums in two sets of lanes,
    // so the additions wait on each other less.
    const size_t width = stride();
    const size_t m = extent_.size();
    double* y = rhs_.data();
    for (size_t j = 0; j < m; ++j)
    {
        const double* column = &band_[j * width];
        y[j] *= inverse_[j];
        const double v = y[j];
        for (size_t t = 1; t <= extent_[j]; t += 4)
            lanesIn(y + j + t) = lanesAt(y + j + t) - v * lanesAt(column + t);
    }
    for (size_t j = m; j-- > 0;)
    {
        const double* column = &band_[j * width + 1];
        const double* after = y + j + 1;
        const size_t length = extent_[j];
        Lanes sum[2] = {};
        size_t t = 0;
        for (; t + 4 < length; t += 8)
        {
            sum[0] += lanesAt(column + t) * lanesAt(after + t);
            sum[1] += lanesAt(column + t + 4) * lanesAt(after + t + 4);
        }
        if (t < length) sum[0] += lanesAt(column + t) * lanesAt(after + t);
        const Lanes total = sum[0] + sum[1];
        y[j] = (y[j] - ((total[0] + total[1]) + (total[2] + total[3]))) * inverse_[j];
    }
}

} // namespace companion
