#include "HumCanceller.h"

#include <algorithm>
#include <cmath>

namespace companion
{

size_t HumCanceller::latencyFor(double sampleRate)
{
    return (kHalfWidth + 2) * HumTracker(50.0, 1, sampleRate).hopSize();
}

bool HumCanceller::measuresWhole(size_t total, double sampleRate)
{
    return total <= (2 * kHalfWidth + 1) * HumTracker(50.0, 1, sampleRate).hopSize();
}

HumCanceller::HumCanceller(const HumModel& model, double sampleRate, size_t total)
    : model_(model), sampleRate_(sampleRate), total_(total), latency_(latencyFor(sampleRate))
{
    size_t top = 0;
    for (size_t k = 0; k < model_.hum.size(); ++k)
        if (model_.hum[k]) top = k + 1;
    model_.harmonics = std::max<size_t>(top, std::min(model_.harmonics, HumTracker::kSteered));
    if (!model_.empty()) fft_ = std::make_unique<FftPlan>(HumTracker::kGrid);
    reset();
}

void HumCanceller::reset()
{
    written_ = 0;
    centres_ = 0;
    spread_ = 0.0;
    const size_t hop = HumTracker(50.0, 1, sampleRate_).hopSize();
    ring_.assign(latency_ + 2 * hop, 0.0f);
    if (model_.empty()) return;
    // Fine hops take as many either side as the latency allows; a whole file weighs them alike.
    const bool whole = measuresWhole(total_, sampleRate_);
    const bool fine = whole && model_.fineHops;
    tracker_ = std::make_unique<HumTracker>(model_.mainsHz, model_.harmonics, sampleRate_,
                                            fine ? kFineHopPeriods / model_.mainsHz
                                                 : HumTracker::kHopSeconds);
    tracker_->trust(model_.clarity);
    smoother_ = std::make_unique<HumSmoother>(
        fine ? latency_ / tracker_->hopSize() - 2 : kHalfWidth, kRobustPasses);
    if (whole) smoother_->flatten();
    std::vector<double> steer(model_.harmonics, 0.0);
    for (size_t k = 0; k < model_.harmonics && k < model_.hum.size(); ++k)
        steer[k] = model_.hum[k] ? 1.0 : 0.0;
    smoother_->steerBy(steer);
}

void HumCanceller::build(const HumSmoother::Centre& centre)
{
    Period& period = periods_[centres_ % 2];
    period.hop = centre.hop;
    std::complex<float>* spectrum = fft_->spectrum();
    std::fill(spectrum, spectrum + fft_->bins(), std::complex<float>());
    const size_t top = std::min(centre.steady.size(), model_.hum.size());
    // The hum's shape over the whole file, laid on this window by one common turn and gain
    // fitted to every hum harmonic's steady part (Gauss-Newton from the fundamental's own).
    // Each low harmonic then rests on the whole file where that is surer than its window
    // alone (a weak harmonic under speech or music), on its window where the hum moves.
    const std::complex<double> fundamental(centre.steady[0]);
    const double reference = model_.shape.empty() ? 0.0 : std::abs(model_.shape[0]);
    const bool blend = std::abs(fundamental) > 0.0 && reference > 0.0;
    double turn = std::arg(fundamental);
    double gain = blend ? std::abs(fundamental) / reference : 0.0;
    double information = 0.0;
    for (int pass = 0; blend && pass < kShapeFits; ++pass)
    {
        double step = 0.0;
        double along = 0.0;
        double norm = 0.0;
        information = 0.0;
        for (size_t k = 1; k <= top; ++k)
        {
            if (!model_.hum[k - 1]) continue;
            const std::complex<double> w = model_.shape[k - 1] * std::polar(1.0, k * turn);
            const std::complex<double> s(centre.steady[k - 1]);
            const double v = kRobustShare * model_.steadyError[k - 1] + 1e-30;
            step += k * std::imag(std::conj(gain * w) * s) / v;
            information += static_cast<double>(k * k) * std::norm(gain * w) / v;
            along += std::real(std::conj(w) * s) / v;
            norm += std::norm(w) / v;
        }
        if (information > 0.0) turn += step / information;
        if (norm > 0.0) gain = std::max(0.0, along / norm);
    }
    const double turnError = information > 0.0 ? 1.0 / information : 0.0;
    for (size_t k = 1; k <= top; ++k)
    {
        if (!model_.hum[k - 1]) continue;
        spread_ += centre.spread[k - 1];
        std::complex<double> value(centre.steady[k - 1]);
        if (blend && k <= kShaped)
        {
            const std::complex<double> whole =
                model_.shape[k - 1] * gain * std::polar(1.0, k * turn);
            const double local = kRobustShare * model_.steadyError[k - 1] + 1e-30;
            const double global = model_.shapeError[k - 1] * gain * gain +
                                  static_cast<double>(k * k) * turnError * std::norm(whole) + 1e-30;
            value = (value / local + whole / global) / (1.0 / local + 1.0 / global);
        }
        spectrum[k] = std::complex<float>(value * (0.5 / HumTracker::gridGain(k)));
    }
    fft_->inverse();
    period.table.assign(fft_->time(), fft_->time() + HumTracker::kGrid);
    period.table.push_back(period.table.front());
    ++centres_;
}

// The hop that starts at the centre before the newest, now that both its ends are known.
void HumCanceller::subtract()
{
    if (centres_ < 2) return;
    const size_t c = centres_ - 2; // the hop to clean
    const Period& start = periods_[c % 2];
    const Period& end = periods_[(c + 1) % 2];
    const size_t hop = tracker_->hopSize();
    const double step = start.hop.hz / sampleRate_;
    double phase = start.hop.startPhase;
    const size_t from = c * hop;
    const float slope = 1.0f / static_cast<float>(hop);
    for (size_t i = 0; i < hop; ++i)
    {
        const double pos = phase * HumTracker::kGrid;
        const size_t b = static_cast<size_t>(pos);
        const float f = static_cast<float>(pos - static_cast<double>(b));
        auto read = [&](const Period& p) { return p.table[b] + f * (p.table[b + 1] - p.table[b]); };
        const float u = static_cast<float>(i) * slope;
        at(from + i) -= (1.0f - u) * read(start) + u * read(end);
        phase += step;
        if (phase >= 1.0) phase -= 1.0;
    }
}

void HumCanceller::process(const float* in, float* out, size_t count)
{
    for (size_t done = 0; done < count;)
    {
        size_t take = count - done;
        if (tracker_)
        {
            const size_t real = total_ > written_ ? total_ - written_ : 0;
            take = tracker_->feed(in + done, take, real);
        }
        else
        {
            take = std::min(take, ring_.size() - latency_);
        }
        for (size_t i = 0; i < take; ++i)
            at(written_ + i) = in[done + i];
        if (tracker_ && tracker_->hopReady() && smoother_->push(tracker_->hop()))
        {
            build(smoother_->centre());
            subtract();
        }
        for (size_t i = 0; i < take; ++i)
        {
            const size_t n = written_ + i;
            out[done + i] = n >= latency_ ? at(n - latency_) : 0.0f;
        }
        written_ += take;
        done += take;
    }
}

} // namespace companion
