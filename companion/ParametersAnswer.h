#pragma once

#include <string>

namespace companion
{

// Builds the answer to "parameters":
//   {"version":"...","tools":["..",..],"presets":[["..",..],..],"rangeMax":96000}
// with no spaces, in the form the editor cuts apart by searching for the quoted keys.
class ParametersAnswer
{
public:
    static std::string build();
};

} // namespace companion
