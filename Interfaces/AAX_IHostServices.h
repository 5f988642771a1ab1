#pragma once

#include "AAX.h"

// The plug-in's view of the host's module-wide services: assertions, trace text and stack
// traces. Not reference counted; reached through AAX_CHostServices.
class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual AAX_Result Assert(const char* file, int32 line, const char* note) = 0;
    virtual AAX_Result Trace(int32 priority, const char* message) = 0;
    virtual AAX_Result StackTrace(int32 tracePriority, int32 stackTracePriority,
                                  const char* message) = 0;
};
