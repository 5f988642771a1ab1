#pragma once

#include <memory>
#include <vector>

#include "ValidationCheck.h"

namespace orv::host::validator
{

// The validator's checks that need nothing but the reference host, in the order they run.
// Checks that need more of the host (a window for the editor) are added by their callers.
std::vector<std::unique_ptr<ValidationCheck>> HostChecks();

} // namespace orv::host::validator
