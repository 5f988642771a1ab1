#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Basic types of the component framework. Everything here crosses the host boundary, so the
// widths are fixed.
typedef int32_t acfSInt32;
typedef uint32_t acfUInt32;
typedef int32_t ACFRESULT;

// A 16-byte interface, component or class identifier.
struct _acfUID
{
    acfUInt32 Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
static_assert(sizeof(_acfUID) == 16, "_acfUID is exactly 16 bytes");
static_assert(offsetof(_acfUID, Data2) == 4 && offsetof(_acfUID, Data3) == 6 &&
                  offsetof(_acfUID, Data4) == 8,
              "_acfUID fields have no padding");

typedef _acfUID acfIID;
typedef _acfUID acfCLSID;

// Two identifiers are equal when all 16 bytes are equal.
inline bool operator==(const _acfUID& a, const _acfUID& b)
{
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof(a.Data4)) == 0;
}
inline bool operator!=(const _acfUID& a, const _acfUID& b)
{
    return !(a == b);
}
