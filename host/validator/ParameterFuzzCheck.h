#pragma once

#include <string>
#include <vector>

#include "ValidationCheck.h"

namespace orv::host::validator
{

class CheckedInstance;

// Drives every parameter as a host's controls and automation do: random normalized values,
// exactly 0 and 1, and values a careless host might send (outside 0..1, NaN, infinities),
// each as a set request the host echoes when it pumps. Afterwards the value must be finite
// and within 0..1, and value -> text -> value -> text must settle after the first step.
// Identifiers the plug-in does not have (null, empty, near misses of real ones, long
// garbage) must be refused with kResultInvalidParameterId and change nothing.
class ParameterFuzzCheck : public ValidationCheck
{
public:
    // Random values per parameter at strictness 10, besides 0 and 1.
    static constexpr int kRandomValuesPerParameter = 100;

    const char* Name() const override { return "parameter-fuzz"; }
    const char* Summary() const override
    {
        return "random and extreme values through the host; stable value and text round "
               "trips; unknown identifiers refused";
    }
    void Run(CheckContext& context) override;

private:
    // The fault found for one value, or empty. inRange: the value is a normalized one, so
    // the text round trip must hold too.
    std::string CheckValue(CheckContext& context, CheckedInstance& instance,
                           const std::string& identifier, double value, bool inRange);
    // The text round trip of the value the parameter holds; the fault, or empty.
    std::string CheckText(CheckContext& context, CheckedInstance& instance,
                          const std::string& identifier, double held);
    void CheckUnknownIdentifiers(CheckContext& context, CheckedInstance& instance,
                                 const std::vector<std::string>& identifiers);
    // The calls a host makes with an identifier; names each one that did not give
    // kResultInvalidParameterId (or, for the name, an empty text).
    std::string RefusalFaults(CheckedInstance& instance, const char* identifier);
};

} // namespace orv::host::validator
