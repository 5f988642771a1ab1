#pragma once

#include "ACFPtr.h"
#include "IACFUnknown.h"

namespace orv::host
{

// The plug-in hands the host's description objects back as bare IACFUnknown pointers. Each
// kind answers one of these identifiers, and only the host's own objects answer them, with the
// object itself; the identifiers differ in their last byte only.
inline constexpr _acfUID IID_HostPropertyMapSelf = {
    0x6C2B5E10, 0x93A4, 0x4F02, {0x8E, 0x61, 0x0B, 0xD2, 0x47, 0x15, 0x00, 0x01}};
inline constexpr _acfUID IID_HostComponentDescriptorSelf = {
    0x6C2B5E10, 0x93A4, 0x4F02, {0x8E, 0x61, 0x0B, 0xD2, 0x47, 0x15, 0x00, 0x02}};
inline constexpr _acfUID IID_HostEffectDescriptorSelf = {
    0x6C2B5E10, 0x93A4, 0x4F02, {0x8E, 0x61, 0x0B, 0xD2, 0x47, 0x15, 0x00, 0x03}};
inline constexpr _acfUID IID_HostCollectionSelf = {
    0x6C2B5E10, 0x93A4, 0x4F02, {0x8E, 0x61, 0x0B, 0xD2, 0x47, 0x15, 0x00, 0x04}};

// The host's own object of type T behind object, counted, or empty when object is not one.
template <class T> ACFPtr<T> HostObjectBehind(IACFUnknown* object, const _acfUID& selfID)
{
    ACFPtr<T> found;
    if (object) object->QueryInterface(selfID, reinterpret_cast<void**>(&found));
    return found;
}

} // namespace orv::host
