#pragma once

namespace orv::platform
{

// Creates an autorelease pool for the calling thread; objects autoreleased until its
// release are released with it. Where there is no such pool (Linux) the result is null.
void* AutoreleasePoolCreate();

// Releases a pool made by AutoreleasePoolCreate on the same thread; null does nothing.
void AutoreleasePoolRelease(void* pool);

} // namespace orv::platform
