#pragma once

#include "BasebandRecorder.h"
#include "HumModel.h"

#include <vector>

namespace companion
{

// Finds which harmonics of a mains frequency carry hum in a whole recorded file and how
// they drift. A harmonic counts as hum when, frame after frame, it is a narrow peak well
// above its neighbourhood and it follows the same drift as the other harmonics; a steady
// tone that merely sits on the mains grid does not drift with them and is left alone, and
// without the fundamental or the second harmonic standing out steady notes higher up the
// grid are not hum either. Where nothing qualifies the model is empty.
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
