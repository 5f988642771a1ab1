#pragma once

#include "FrequencyRange.h"
#include "LinearPhaseFilter.h"

namespace companion
{

// Keeps the range (band-pass) or removes it (band-stop, the complement of the same filter).
class BandTool : public LinearPhaseFilter
{
public:
    enum class Mode
    {
        Keep,
        Remove
    };

    BandTool(Mode mode, const FrequencyRange& range);

    static Mode presetMode(int preset) { return preset == 0 ? Mode::Keep : Mode::Remove; }

private:
    static std::vector<float> design(Mode mode, const FrequencyRange& range);
};

} // namespace companion
