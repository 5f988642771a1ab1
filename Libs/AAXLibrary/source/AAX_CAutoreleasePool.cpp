#include "AAX_CAutoreleasePool.h"

#include "AutoreleasePool.h"

AAX_CAutoreleasePool::AAX_CAutoreleasePool() : mPool(orv::platform::AutoreleasePoolCreate())
{
}

AAX_CAutoreleasePool::~AAX_CAutoreleasePool()
{
    orv::platform::AutoreleasePoolRelease(mPool);
}
