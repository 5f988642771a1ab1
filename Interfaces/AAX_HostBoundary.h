#pragma once

#include <memory>
#include <new>
#include <utility>

#include "AAX.h"
#include "AAX_CHostServices.h"
#include "AAX_Errors.h"

// The two tools every component uses where a host call can allocate, so that no exception
// ever unwinds into the host, which is a separate build that cannot catch ours.

// A new T owned by the holder, or an empty holder when memory ran out; never throws for that.
template <typename T, typename... Arguments>
std::unique_ptr<T> AAX_MakeOwned(Arguments&&... arguments)
{
    return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Arguments>(arguments)...));
}

// Runs body, the part of a host-facing operation that may allocate, and returns its result.
// Running out of memory, or anything else thrown below, becomes kResultUnexpected and one
// line in the host's trace naming operation; formatting that line allocates nothing.
template <typename Body> AAX_Result AAX_GuardHostCall(const char* operation, Body&& body) noexcept
{
    try
    {
        return static_cast<AAX_Result>(body());
    }
    catch (const std::bad_alloc&)
    {
        AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "%s: out of memory", operation);
    }
    catch (...)
    {
        AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "%s: unexpected failure", operation);
    }
    return kResultUnexpected;
}
