#pragma once

#include "acfresult.h"

// Holds one counted reference to an interface (or nothing). Built from a raw pointer it adds
// a reference; filled through its address (QueryInterface, a factory) it adopts the reference
// the callee added. Member access on an empty holder throws the integer ACF_E_POINTER.
template <class T> class ACFPtr
{
public:
    ACFPtr() = default;
    ACFPtr(T* pointer) : mPointer(pointer)
    {
        if (mPointer) mPointer->AddRef();
    }
    ACFPtr(const ACFPtr& other) : ACFPtr(other.mPointer) {}
    ACFPtr(ACFPtr&& other) noexcept : mPointer(other.mPointer) { other.mPointer = nullptr; }
    ~ACFPtr() { Clear(); }

    ACFPtr& operator=(const ACFPtr& other)
    {
        ACFPtr copy(other);
        Swap(copy);
        return *this;
    }
    ACFPtr& operator=(ACFPtr&& other) noexcept
    {
        ACFPtr moved(static_cast<ACFPtr&&>(other));
        Swap(moved);
        return *this;
    }
    ACFPtr& operator=(T* pointer)
    {
        ACFPtr copy(pointer);
        Swap(copy);
        return *this;
    }

    // For out parameters: releases what is held, then lets the callee fill the pointer.
    T** operator&()
    {
        Clear();
        return &mPointer;
    }

    T* operator->() const
    {
        if (!mPointer) throw static_cast<acfSInt32>(ACF_E_POINTER);
        return mPointer;
    }

    T* get() const { return mPointer; }
    explicit operator bool() const { return mPointer != nullptr; }
    bool operator!() const { return mPointer == nullptr; }

    // Takes over a reference the caller already owns, without adding one.
    void Attach(T* pointer)
    {
        Clear();
        mPointer = pointer;
    }
    // Hands the held reference to the caller, who must release it.
    T* Detach()
    {
        T* pointer = mPointer;
        mPointer = nullptr;
        return pointer;
    }
    // Releases the held reference, if any, and becomes empty.
    void Clear()
    {
        T* pointer = mPointer;
        mPointer = nullptr;
        if (pointer) pointer->Release();
    }

private:
    void Swap(ACFPtr& other) noexcept
    {
        T* pointer = mPointer;
        mPointer = other.mPointer;
        other.mPointer = pointer;
    }

    T* mPointer = nullptr;
};
