#include "AAX_CHostServices.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "AAX_VHostServices.h"

namespace
{
// Owned here; written only by Set.
std::atomic<AAX_VHostServices*> sHostServices{nullptr};
} // namespace

AAX_Result AAX_CHostServices::Set(IACFUnknown* host)
{
    AAX_VHostServices* installed = sHostServices.load();
    if (!installed && host)
    {
        // Called from the host's start-up: running out of memory must not unwind into it.
        std::unique_ptr<AAX_VHostServices> services = AAX_MakeOwned<AAX_VHostServices>(host);
        if (!services) return kResultUnexpected;
        sHostServices.store(services.release());
        return kResultSuccess;
    }
    if (installed && !host)
    {
        sHostServices.store(nullptr);
        delete installed;
    }
    return kResultSuccess;
}

AAX_Result AAX_CHostServices::Trace(AAX_ETracePriorityHost priority, const char* format, ...)
{
    AAX_VHostServices* services = sHostServices.load();
    if (!services) return kResultSuccess;
    if (!format) return kResultNullArgument;

    // vsnprintf never writes past the buffer and always terminates it: a longer message
    // is cut to its first kTraceBufferSize - 1 bytes.
    char message[kTraceBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(message, sizeof(message), format, arguments);
    va_end(arguments);
    if (written < 0) message[0] = '\0';
    return services->Trace(static_cast<int32>(priority), message);
}

AAX_IHostServices* AAX_CHostServices::Get()
{
    return sHostServices.load();
}
