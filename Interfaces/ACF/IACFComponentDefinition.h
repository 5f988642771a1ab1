#pragma once

#include "IACFUnknown.h"

// {A0C91E01-0F2B-4C1E-9A57-3D0E5A7C0003}
inline constexpr _acfUID IID_IACFComponentDefinition = {
    0xA0C91E01, 0x0F2B, 0x4C1E, {0x9A, 0x57, 0x3D, 0x0E, 0x5A, 0x7C, 0x00, 0x03}};

// A component registered on its own with the host. This module registers none; the
// interface exists so the registration entry point can state that.
class IACFComponentDefinition : public IACFUnknown
{
protected:
    ~IACFComponentDefinition() = default;
};
