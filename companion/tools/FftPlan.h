#pragma once

#include "FftwAllocator.h"

#include <complex>
#include <cstddef>
#include <vector>

#include <fftw3.h>

namespace companion
{

// A pair of real-to-complex and complex-to-real plans of one size, with their own aligned
// buffers. FFTW's planner is not thread-safe, so planning is serialised; executing is not.
// The inverse is unnormalised: forward then inverse scales by size().
class FftPlan
{
public:
    explicit FftPlan(size_t size);
    ~FftPlan();
    FftPlan(const FftPlan&) = delete;
    FftPlan& operator=(const FftPlan&) = delete;

    size_t size() const { return size_; }
    size_t bins() const { return size_ / 2 + 1; }
    float* time() { return time_; }
    std::complex<float>* spectrum() { return reinterpret_cast<std::complex<float>*>(spectrum_); }

    void forward(); // time() -> spectrum()
    void inverse(); // spectrum() -> time()

    // Spectra a plan may be run on instead of its own buffer.
    using Spectrum = std::vector<std::complex<float>, FftwAllocator<std::complex<float>>>;
    // time() -> `spectrum`, which holds bins() values.
    void forward(std::complex<float>* spectrum);
    // `spectrum` -> time(); the spectrum is overwritten.
    void inverse(std::complex<float>* spectrum);

private:
    size_t size_;
    float* time_;
    fftwf_complex* spectrum_;
    fftwf_plan forward_;
    fftwf_plan inverse_;
};

} // namespace companion
