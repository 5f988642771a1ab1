#include "AutoreleasePool.h"

#import <Foundation/Foundation.h>

// Built without ARC: the pool is made and released by hand.
namespace orv::platform
{

void* AutoreleasePoolCreate()
{
    return [[NSAutoreleasePool alloc] init];
}

void AutoreleasePoolRelease(void* pool)
{
    if (pool)
        [static_cast<NSAutoreleasePool*>(pool) release];
}

} // namespace orv::platform
