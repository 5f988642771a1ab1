#pragma once

#include "HostComponentFactory.h"
#include "HostDescriptionOptions.h"

namespace orv::host
{

// Teaches a host component factory to make the description objects (collection, effect and
// component descriptors, property maps), each new per request and behaving as options say.
class HostDescriptionMakers
{
public:
    static void Register(HostComponentFactory& factory, const HostDescriptionOptions& options);
    static void Unregister(HostComponentFactory& factory);
};

} // namespace orv::host
