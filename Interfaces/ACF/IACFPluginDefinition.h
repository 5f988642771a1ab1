#pragma once

#include "IACFUnknown.h"

// {A0C91E01-0F2B-4C1E-9A57-3D0E5A7C0002}
inline constexpr _acfUID IID_IACFPluginDefinition = {
    0xA0C91E01, 0x0F2B, 0x4C1E, {0x9A, 0x57, 0x3D, 0x0E, 0x5A, 0x7C, 0x00, 0x02}};

// What plug-in registration hands back to the host: the host's own collection object seen
// through this interface. It adds no operations of its own.
class IACFPluginDefinition : public IACFUnknown
{
protected:
    ~IACFPluginDefinition() = default;
};
