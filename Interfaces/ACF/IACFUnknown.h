#pragma once

#include "acfbasetypes.h"

// {A0C91E01-0F2B-4C1E-9A57-3D0E5A7C0001}
inline constexpr _acfUID IID_IACFUnknown = {
    0xA0C91E01, 0x0F2B, 0x4C1E, {0x9A, 0x57, 0x3D, 0x0E, 0x5A, 0x7C, 0x00, 0x01}};

// The root of every object that crosses the host boundary: interface query and reference
// counting. Exactly these three slots, in this order; no virtual destructor, because the
// layout is shared with the other side. Thread tags as in AAX_ThreadTags.h.
class IACFUnknown
{
public:
    // [thread-safe] Fills outInterface with the interface named by iid, already counted (the
    // caller releases it), and returns ACF_OK; otherwise sets it to null and returns an error.
    virtual ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) = 0;
    // [thread-safe] Adds one reference; returns the new count.
    virtual acfUInt32 AddRef() = 0;
    // [thread-safe] Drops one reference; returns the new count. At 0 the object destroys
    // itself and must not be touched again.
    virtual acfUInt32 Release() = 0;

protected:
    ~IACFUnknown() = default;
};
