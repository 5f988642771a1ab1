#include "BandTool.h"

#include "FirDesign.h"

namespace companion
{

BandTool::BandTool(Mode mode, const FrequencyRange& range) : LinearPhaseFilter(design(mode, range))
{
}

std::vector<float> BandTool::design(Mode mode, const FrequencyRange& range)
{
    std::vector<float> taps = FirDesign::bandPass(range);
    if (mode == Mode::Keep) return taps;
    for (float& tap : taps)
        tap = -tap;
    taps[taps.size() / 2] += 1.0f;
    return taps;
}

} // namespace companion
