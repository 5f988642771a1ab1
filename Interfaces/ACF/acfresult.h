#pragma once

#include "acfbasetypes.h"

// The framework's own result codes. The library's result table (AAX_Errors.h) names the same
// values; they are defined here because the component base needs them below that layer.
enum : ACFRESULT
{
    ACF_OK = 0,
    ACF_E_NOINTERFACE = static_cast<ACFRESULT>(0x80000004u),
    ACF_E_POINTER = static_cast<ACFRESULT>(0x80000005u),
    ACF_E_UNEXPECTED = static_cast<ACFRESULT>(0x8000FFFFu),
};
