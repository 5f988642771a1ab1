#include "DehumTool.h"

#include "FirDesign.h"

namespace companion
{

DehumTool::DehumTool(double mainsHz, const FrequencyRange& range)
    : LinearPhaseFilter(FirDesign::humNotches(range, mainsHz))
{
}

} // namespace companion
