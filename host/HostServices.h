#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AAX_IACFHostServices.h"
#include "AAX_UIDs.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's module-wide services: it keeps every trace, assertion and stack-trace request
// the plug-in makes, in order. One object serves both versions (unless limited to
// version 1), so a module's traces land in one log whichever version it uses. Every
// instance of the module shares it: each message notes the thread it came from, so a host
// that drives each instance from a thread of its own can tell the instances' traces apart.
class HostServices : public HostVersionedUnknown<AAX_IACFHostServices, AAX_IACFHostServices_V2,
                                                 IID_IAAXHostServicesV1, IID_IAAXHostServicesV2>
{
public:
    struct Message
    {
        int32 priority;
        std::string text;
        std::thread::id thread;
    };

    explicit HostServices(bool offerVersion2 = true) : HostVersionedUnknown(offerVersion2) {}

    AAX_Result Assert(const char* file, int32 line, const char* note) override;
    AAX_Result Trace(int32 priority, const char* message) override;
    AAX_Result StackTrace(int32 tracePriority, int32 stackTracePriority,
                          const char* message) override;

    // Copies, so callers may read while the plug-in traces from other threads.
    std::vector<Message> TraceLog() const;
    std::vector<std::string> Assertions() const;
    std::vector<Message> StackTraces() const;

private:
    mutable std::mutex mMutex;
    std::vector<Message> mTraces;
    std::vector<std::string> mAssertions;
    std::vector<Message> mStackTraces;
};

} // namespace orv::host
