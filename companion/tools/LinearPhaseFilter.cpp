#include "LinearPhaseFilter.h"

namespace companion
{

LinearPhaseFilter::LinearPhaseFilter(const std::vector<float>& taps)
    : convolver_(taps), groupDelay_(taps.empty() ? 0 : (taps.size() - 1) / 2)
{
}

} // namespace companion
