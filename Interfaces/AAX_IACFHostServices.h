#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's module-wide services, version 1: assertions and trace text. Made by the host's
// component factory (AAXCompID_HostServices) and held counted by the module from startup to
// shutdown. Texts are borrowed for the duration of the call.
class AAX_IACFHostServices : public IACFUnknown
{
public:
    // [thread-safe] Reports a failed assertion (texts borrowed for the call); a result code.
    virtual AAX_Result Assert(const char* file, int32 line, const char* note) = 0;
    // [thread-safe] Hands the host one line of trace text at a priority (text borrowed for the
    // call); trace comes from every thread the plug-in runs on.
    virtual AAX_Result Trace(int32 priority, const char* message) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};

// Version 2 adds a trace with the caller's stack.
class AAX_IACFHostServices_V2 : public AAX_IACFHostServices
{
public:
    // [thread-safe] Trace with the caller's stack; a result code.
    virtual AAX_Result StackTrace(int32 tracePriority, int32 stackTracePriority,
                                  const char* message) = 0;

protected:
    ~AAX_IACFHostServices_V2() = default;
};
