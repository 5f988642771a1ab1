#pragma once

#include <cstddef>
#include <new>

#include <fftw3.h>

namespace companion
{

// Memory from FFTW's own allocator, aligned as its plans' buffers are, so that a plan may
// run on a container's storage in place of its own buffers.
template <typename T>
struct FftwAllocator
{
    using value_type = T;

    FftwAllocator() = default;
    template <typename U>
    FftwAllocator(const FftwAllocator<U>&)
    {
    }

    T* allocate(size_t count)
    {
        void* memory = fftwf_malloc(count * sizeof(T));
        if (!memory) throw std::bad_alloc();
        return static_cast<T*>(memory);
    }
    void deallocate(T* memory, size_t) { fftwf_free(memory); }

    template <typename U>
    bool operator==(const FftwAllocator<U>&) const
    {
        return true;
    }
    template <typename U>
    bool operator!=(const FftwAllocator<U>&) const
    {
        return false;
    }
};

} // namespace companion
