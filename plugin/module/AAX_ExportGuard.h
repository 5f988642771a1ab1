#pragma once

#include "AAX_Errors.h"

// Runs one of the library's entry-point functions for an export: its result passes through
// unchanged, and any exception, of any type, becomes kResultUnexpected so that nothing
// unwinds into the host.
template <class Function> AAX_Result AAX_ExportGuard(Function&& function) noexcept
{
    try
    {
        return function();
    }
    catch (...)
    {
        return kResultUnexpected;
    }
}
