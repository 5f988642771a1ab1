#pragma once

// Scope guard around code that may autorelease platform objects (the editor's tear-down of
// its native view). Objects autoreleased inside the scope are released when it ends.
class AAX_CAutoreleasePool
{
public:
    AAX_CAutoreleasePool();
    ~AAX_CAutoreleasePool();

    AAX_CAutoreleasePool(const AAX_CAutoreleasePool&) = delete;
    AAX_CAutoreleasePool& operator=(const AAX_CAutoreleasePool&) = delete;

private:
    void* mPool;
};
