#pragma once

#include "FrequencyRange.h"
#include "HumModel.h"
#include "HumSmoother.h"
#include "HumTracker.h"

#include <complex>
#include <cstddef>
#include <vector>

namespace companion
{

// Decides, in one streaming pass with memory that does not grow with the file, which
// harmonics of a mains carry hum. Each harmonic's steady part (HumSmoother) is summed
// against what the rest of the signal leaves near it, and each hop's measurement is summed
// in the steady fundamental's frame. A harmonic is a steady narrow line when its steady
// part stands clear of what noise alone would give, or when it keeps its phase against the
// fundamental through the file; both bars allow for the scatter of a file this long, so
// the noise floor between lines is not counted. Lines 1 to 3 are hum outright; a higher
// line is hum when it extends the series (a line at k-1 or k-2 is hum; else it must stand
// clear by far) and stands no more than 12 dB above the strongest of k-2 to k+2, so a lone
// alignment tone on the grid is kept while a buzz of odd harmonics is not.
class HumEstimator
{
public:
    HumEstimator(double mainsHz, size_t harmonics, const FrequencyRange& range);
    // A second look, steered by every harmonic an earlier pass found to be hum (weighted by
    // how clearly each stood): the drift is then pinned by all of them, so weak high
    // harmonics of a buzz add up instead of smearing. What that pass found stays hum.
    HumEstimator(const HumModel& found, const FrequencyRange& range);

    void add(const float* in, size_t count);
    HumModel finish();

private:
    void take(const HumTracker::Hop& hop);
    void account(const HumSmoother::Centre& centre);
    void flush();
    std::vector<bool> findSeries() const;
    bool stands(size_t k, double scatters, double coherence, bool fundamental) const;
    bool amongNeighbours(size_t k) const;
    std::vector<double> clipFirmness() const;
    void describe(const std::vector<bool>& series, HumModel& model) const;

    double mainsHz_;
    FrequencyRange range_;
    HumTracker tracker_;
    HumSmoother smoother_;
    std::vector<double> steady_;                 // summed power of each harmonic's steady part
    std::vector<double> raw_;                    // and of its hop measurements
    std::vector<double> passed_;                 // and what the mean let through of the rest
    std::vector<std::complex<double>> coherent_; // hop measurements in the fundamental's frame
    // The same, each hop leaned away from by how far it strays from the steady part: the
    // hum's shape over the whole file, what passes through it (a word, a note) left out.
    std::vector<std::complex<double>> shape_;
    std::vector<double> shapeWeight_;
    std::vector<double> shapeMiss_; // of the leaned-on hops
    std::vector<double> missSum_;   // every hop's miss, the scale the leaning is judged by
    std::vector<bool> found_;       // by an earlier pass
    // A file no longer than the steady part's window: its hops in the fundamental's frame
    // (hop by hop, each harmonic), kept whole so each line can be judged on all of them.
    std::vector<std::complex<double>> clip_;
    std::vector<double> clipWeight_;
    bool clipWhole_ = true;
    double hops_ = 0.0;
    double hzSum_ = 0.0;
};

} // namespace companion
