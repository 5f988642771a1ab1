#pragma once

#include "BasebandRecorder.h"
#include "HumModel.h"

#include <vector>

namespace companion
{

// Finds which harmonics of a mains frequency carry hum in a whole recorded file and how
// they drift. The drift is followed on the harmonics that stand out frame after frame as
// narrow peaks moving together; any harmonic then counts as hum when, turned back by that
// drift, its steady part adds up over the whole file above what the rest leaves in it, so
// weak upper harmonics under speech are found too. A steady tone that merely sits on the
// mains grid does not drift with the hum and averages away, and without the fundamental or
// the second harmonic standing out, steady notes higher up the grid are not hum either.
// Where nothing qualifies the model is empty.
class HumEstimator
{
public:
    struct Series
    {
        double mainsHz = 0.0;
        std::vector<int> harmonics; // harmonic numbers, ascending
        std::vector<size_t> carriers; // the recorder's carrier of each harmonic
    };

    static HumModel estimate(const BasebandRecorder& recorder, const Series& series);
};

} // namespace companion
