#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The plug-in's view of the host's module-wide services: assertions, trace text and stack
// traces. Not reference counted; reached through AAX_CHostServices.
class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    // [thread-safe] Reports a failed assertion (texts borrowed for the call); a result code.
    // kResultNullObject without the host interface.
    virtual AAX_Result Assert(const char* file, int32 line, const char* note) = 0;
    // [thread-safe] Hands the host one line of trace text at a priority (text borrowed for the
    // call); trace comes from every thread the plug-in runs on. kResultNullObject without the
    // host interface.
    virtual AAX_Result Trace(int32 priority, const char* message) = 0;
    // [thread-safe] Trace with the caller's stack; a result code. kResultUnimplemented when the
    // host lacks the newer version.
    virtual AAX_Result StackTrace(int32 tracePriority, int32 stackTracePriority,
                                  const char* message) = 0;
};
