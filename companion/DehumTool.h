#pragma once

#include "FrequencyRange.h"
#include "LinearPhaseFilter.h"

namespace companion
{

// Removes mains hum: notches on the mains frequency and each of its harmonics inside the
// range, with a flat response between them.
class DehumTool : public LinearPhaseFilter
{
public:
    DehumTool(double mainsHz, const FrequencyRange& range);

    static double presetHz(int preset) { return preset == 0 ? 50.0 : 60.0; }
};

} // namespace companion
