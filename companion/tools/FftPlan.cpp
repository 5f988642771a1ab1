#include "FftPlan.h"

#include <mutex>

namespace companion
{

namespace
{
std::mutex& plannerMutex()
{
    static std::mutex mutex;
    return mutex;
}
} // namespace

FftPlan::FftPlan(size_t size)
    : size_(size), time_(fftwf_alloc_real(size)), spectrum_(fftwf_alloc_complex(size / 2 + 1))
{
    std::lock_guard<std::mutex> lock(plannerMutex());
    // Estimated plans: measuring would cost more than a typical file takes to process.
    forward_ = fftwf_plan_dft_r2c_1d(static_cast<int>(size), time_, spectrum_, FFTW_ESTIMATE);
    inverse_ = fftwf_plan_dft_c2r_1d(static_cast<int>(size), spectrum_, time_, FFTW_ESTIMATE);
}

FftPlan::~FftPlan()
{
    {
        std::lock_guard<std::mutex> lock(plannerMutex());
        fftwf_destroy_plan(forward_);
        fftwf_destroy_plan(inverse_);
    }
    fftwf_free(time_);
    fftwf_free(spectrum_);
}

void FftPlan::forward()
{
    fftwf_execute(forward_);
}

void FftPlan::inverse()
{
    fftwf_execute(inverse_);
}

// A spectrum from FFTW's allocator has the alignment its plans were made for.
void FftPlan::forward(std::complex<float>* spectrum)
{
    fftwf_execute_dft_r2c(forward_, time_, reinterpret_cast<fftwf_complex*>(spectrum));
}

void FftPlan::inverse(std::complex<float>* spectrum)
{
    fftwf_execute_dft_c2r(inverse_, reinterpret_cast<fftwf_complex*>(spectrum), time_);
}

} // namespace companion
