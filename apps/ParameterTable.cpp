#include "ParameterTable.h"

#include <cstdio>
#include <iomanip>
#include <ostream>

#include "AAX_Errors.h"
#include "HostString.h"

namespace orv::apps
{

void ParameterTable::Print(std::ostream& out, const AAX_IACFEffectParameters& parameters)
{
    int32 count = 0;
    parameters.GetNumberOfParameters(&count);
    out << "parameters (" << count << "):\n";
    out << "  " << std::left << std::setw(16) << "ID" << std::setw(16) << "NAME" << std::setw(9)
        << "DEFAULT" << std::setw(7) << "STEPS" << std::setw(12) << "TYPE"
        << "VALUE\n";
    for (int32 index = 0; index < count; ++index)
    {
        host::HostString id;
        if (parameters.GetParameterIDFromIndex(index, &id) != kResultSuccess) continue;
        host::HostString name;
        host::HostString value;
        double defaultValue = 0.0;
        int32 steps = 0;
        AAX_EParameterType type = AAX_eParameterType_Continuous;
        parameters.GetParameterName(id.Get(), &name);
        parameters.GetParameterDefaultNormalizedValue(id.Get(), &defaultValue);
        parameters.GetParameterNumberOfSteps(id.Get(), &steps);
        parameters.GetParameterType(id.Get(), &type);
        parameters.GetParameterValueString(id.Get(), &value, host::HostString::kMaxLength);
        char defaultText[32];
        std::snprintf(defaultText, sizeof(defaultText), "%.4g", defaultValue);
        out << "  " << std::setw(16) << id.Text() << std::setw(16) << name.Text() << std::setw(9)
            << defaultText << std::setw(7) << steps << std::setw(12)
            << (type == AAX_eParameterType_Discrete ? "discrete" : "continuous") << value.Text()
            << "\n";
    }
    out << std::right;
}

} // namespace orv::apps
