#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace companion
{

// A short-term autoregressive model of a signal, x[t] = -sum a[k] x[t-k] + e[t] (a[0] = 1),
// and the least-squares interpolation of missing samples under it (Janssen, Veldhuis and
// Vries; Vaseghi): the missing samples are the ones that make the residual energy around
// them smallest, given the samples on both sides.
class ArModel
{
public:
    // The frame a model is fitted over: the longest power of two (64 at least) within
    // `seconds` at this rate, so the block arithmetic stays in whole frames.
    static size_t frameLength(double sampleRate, double seconds)
    {
        size_t frame = 64;
        while (frame * 2 <= seconds * sampleRate)
            frame *= 2;
        return frame;
    }

    // Where the interpolation must stay: side[i] > 0 keeps x[i] >= high, side[i] < 0 keeps
    // x[i] <= low (indexed like x) (the clipped runs of a clipped signal rebuilt beyond the clip level).
    struct Bounds
    {
        const int8_t* side = nullptr;
        double high = 0.0;
        double low = 0.0;
        // Optional, indexed like x: the samples held at their bound. Taken as the starting
        // active set (a previous interpolation's, over the same unknowns) and left as it ends.
        uint8_t* held = nullptr;
    };

    // Fits order `order` to x[0, count) from a Hann-weighted autocorrelation; samples with
    // skip[i] set take no part. False (model left as it was) for silence.
    bool fit(const double* x, const uint8_t* skip, size_t count, int order);
    // The same fit in two steps: the Hann-weighted autocorrelation up to lag `order` into r,
    // and the model from it. Between them, updateAutocorrelation() brings r up to date after
    // the samples at `changed` (ascending) moved from before[t] to x[t], at a cost in
    // proportion to their number.
    void autocorrelate(const double* x, const uint8_t* skip, size_t count, int order,
                       std::vector<double>& r);
    void updateAutocorrelation(const double* x, const double* before,
                               const std::vector<size_t>& changed, size_t count,
                               std::vector<double>& r);
    bool fitAutocorrelation(const std::vector<double>& autocorrelation);

    int order() const { return static_cast<int>(a_.size()) - 1; }
    const std::vector<double>& coefficients() const { return a_; }
    // Forward prediction error at t (needs t >= order) and backward (needs t + order < count).
    double forwardError(const double* x, size_t t) const;
    double backwardError(const double* x, size_t t) const;
    // Both errors for t in [from, from + count), into forward[] and backward[].
    void errors(const double* x, size_t from, size_t count, double* forward,
                double* backward) const;

    // Replaces x[u] for every u in `unknown` (ascending, each at least order() from both ends
    // of x[0, count)) by its least-squares interpolation from the samples around them.
    void interpolate(double* x, size_t count, const std::vector<size_t>& unknown,
                     const Bounds& bounds) const;
    void interpolate(double* x, size_t count, const std::vector<size_t>& unknown) const;

private:
    const double* windowOf(size_t count);
    // Doubles per column of band_: room past the order for whole groups of four.
    size_t stride() const { return (static_cast<size_t>(order()) + 8) & ~size_t{3}; }
    void solve(double* x, size_t count, const std::vector<size_t>& unknown,
               const std::vector<uint8_t>& missing) const;
    // The normal equations of the unknowns, in band_ (column by column) and rhs_.
    void buildSystem(const double* x, size_t count, const std::vector<size_t>& unknown,
                     const std::vector<uint8_t>& missing) const;
    void buildRightHandSides(const double* x, size_t count, const std::vector<size_t>& unknown,
                             const std::vector<uint8_t>& missing) const;
    void buildBand(const std::vector<size_t>& unknown) const; // band_ from the coefficients
    void factor() const;
    // Solves with the factor in band_, in place in rhs_.
    void substitute() const;
    // Solves the open samples within the order of a change, the others kept as they are.
    void solveNearChanges(double* x, size_t count) const;
    // Holds the open samples on the wrong side of their bound at it, and lets go of the held
    // ones the residual pulls inwards; both go into changed_.
    void holdAtBounds(double* x, const Bounds& bounds) const;
    void release(const double* x, const std::vector<size_t>& unknown, const Bounds& bounds) const;

    std::vector<double> a_{1.0};
    std::vector<double> c_{1.0}; // autocorrelation of a_
    // Scratch kept from call to call.
    // band_[j * stride() + t] = Q(j + t, j), then L(j + t, j); zero past column j's extent.
    mutable std::vector<double> band_;
    mutable std::vector<double> rhs_;
    mutable std::vector<size_t> extent_; // unknowns after the j-th within the order of it
    mutable std::vector<size_t> following_; // unknowns right after the j-th, in its run
    mutable std::vector<double> inverse_; // 1 / the factor's diagonal
    mutable std::vector<double> known_;
    mutable std::vector<uint8_t> missing_; // all zero between calls
    mutable std::vector<size_t> open_;
    mutable std::vector<size_t> changed_;
    mutable std::vector<size_t> near_;
    std::vector<double> window_;
    std::vector<double> weighted_;
    std::vector<double> r_;
};

} // namespace companion
