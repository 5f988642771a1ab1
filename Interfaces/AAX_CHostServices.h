#pragma once

#include "AAX.h"

class IACFUnknown;
class AAX_IHostServices;

// Module-wide access to the host's services, installed at module start-up and removed at
// shutdown. Set is called by the host's start-up and shutdown only; Trace may be called
// from any thread in between.
class AAX_CHostServices
{
public:
    // Longest formatted trace text, terminator included; longer messages are cut.
    static constexpr int kTraceBufferSize = 512;

    // With a host object and nothing installed: installs services over it. With null and
    // services installed: removes them. Otherwise nothing happens (a second installation
    // keeps the first). kResultUnexpected when memory ran out for the services, else 0.
    static AAX_Result Set(IACFUnknown* host);
    // Formats as printf does and hands the text to the host at the given priority. Without
    // installed services nothing is formatted and the result is kResultSuccess.
    static AAX_Result Trace(AAX_ETracePriorityHost priority, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // The installed services, or null.
    static AAX_IHostServices* Get();
};
