#pragma once

#include <string>

namespace companion
{

// Builds the answer to "parameters" in the form CompanionProtocol.h states, with the
// catalogue's tools and presets and the highest frequency the companion accepts.
class ParametersAnswer
{
public:
    static std::string build();
};

} // namespace companion
