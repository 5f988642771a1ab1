#pragma once

#include <memory>
#include <vector>

#include "ValidationCheck.h"

namespace orv::apps
{

// Every check "orvendal-host validate" runs, in order: the reference host's own checks, then
// the ones that need more of the command line's host (a window for the editor).
std::vector<std::unique_ptr<host::validator::ValidationCheck>> ValidatorChecks();

} // namespace orv::apps
