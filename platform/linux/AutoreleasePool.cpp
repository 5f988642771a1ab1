#include "AutoreleasePool.h"

// Nothing on Linux autoreleases: the pool is only a scope.
namespace orv::platform
{

void* AutoreleasePoolCreate()
{
    return nullptr;
}

void AutoreleasePoolRelease(void* /*pool*/)
{
}

} // namespace orv::platform
