#pragma once

#include <memory>
#include <vector>

#include "ValidationCheck.h"

namespace orv::host::validator
{

// The validator's checks, all driving the module through the reference host, in the order
// they run.
std::vector<std::unique_ptr<ValidationCheck>> HostChecks();

} // namespace orv::host::validator
