#include "HostUnknown.h"

namespace orv::host
{
namespace
{
std::atomic<int32> sLiveHostObjects{0};
} // namespace

int32 HostObjectCount::Live()
{
    return sLiveHostObjects.load();
}

HostObjectCount::HostObjectCount()
{
    sLiveHostObjects.fetch_add(1);
}

HostObjectCount::~HostObjectCount()
{
    sLiveHostObjects.fetch_sub(1);
}

} // namespace orv::host
