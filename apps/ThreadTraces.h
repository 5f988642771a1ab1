#pragma once

#include <string>
#include <thread>
#include <vector>

#include "HostServices.h"

namespace orv::apps
{

// The traces the calling thread makes through the host's services from the moment this
// is made. The module's services are shared by every instance, and the plug-in traces from
// the thread that drives the instance, so a thread running one instance at a time finds
// that instance's traces among everyone's.
class ThreadTraces
{
public:
    // Notes where the log stands and which thread is asking.
    explicit ThreadTraces(const host::HostServices& services);

    // The texts traced since, by the thread that made this object, in order.
    std::vector<std::string> Texts() const;

private:
    const host::HostServices& mServices;
    const std::thread::id mThread;
    const size_t mStart;
};

} // namespace orv::apps
