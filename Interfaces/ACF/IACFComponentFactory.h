#pragma once

#include "IACFUnknown.h"

// {A0C91E01-0F2B-4C1E-9A57-3D0E5A7C0004}
inline constexpr _acfUID IID_IACFComponentFactory = {
    0xA0C91E01, 0x0F2B, 0x4C1E, {0x9A, 0x57, 0x3D, 0x0E, 0x5A, 0x7C, 0x00, 0x04}};

// The host's factory, queried on the host object. It makes the host's description objects
// and host services.
class IACFComponentFactory : public IACFUnknown
{
public:
    // Makes a new host object of the component compID (outer must be null: nothing is
    // aggregated) and fills outInterface with its interface iid, counted for the caller.
    // On failure outInterface is null.
    virtual ACFRESULT CreateComponent(const _acfUID& compID, IACFUnknown* outer, const _acfUID& iid,
                                      void** outInterface) = 0;

protected:
    ~IACFComponentFactory() = default;
};
