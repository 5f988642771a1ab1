#pragma once

#include <iosfwd>

#include "AAX_IACFEffectParameters.h"

namespace orv::apps
{

// Prints a parameters component's parameters, in index order: identifier, name, default,
// steps, type and the current value as the plug-in shows it.
class ParameterTable
{
public:
    static void Print(std::ostream& out, const AAX_IACFEffectParameters& parameters);
};

} // namespace orv::apps
