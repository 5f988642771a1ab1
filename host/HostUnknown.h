#pragma once

#include <atomic>

#include "AAX_Errors.h"
#include "IACFUnknown.h"

namespace orv::host
{

// Counts the host's live objects across all kinds, so tests can check that every object
// the host handed out was released.
class HostObjectCount
{
public:
    static int32 Live();

protected:
    HostObjectCount();
    ~HostObjectCount();
};

// Reference counting and interface queries for a host object implementing Interfaces
// (each an IACFUnknown chain). Created with count 0; the first holder adds the first
// reference, the last Release deletes the object. Safe from any thread.
template <class... Interfaces> class HostUnknown : public Interfaces..., private HostObjectCount
{
public:
    HostUnknown() = default;
    HostUnknown(const HostUnknown&) = delete;
    HostUnknown& operator=(const HostUnknown&) = delete;

    // Answers the identifiers Find knows, counted; otherwise kResultNoInterface and null.
    AAX_Result QueryInterface(const _acfUID& iid, void** outInterface) override
    {
        if (!outInterface) return kResultNullArgument;
        *outInterface = nullptr;
        void* found = Find(iid);
        if (!found) return kResultNoInterface;
        AddRef();
        *outInterface = found;
        return kResultSuccess;
    }
    acfUInt32 AddRef() override { return static_cast<acfUInt32>(mCount.fetch_add(1) + 1); }
    acfUInt32 Release() override
    {
        const int32 count = mCount.fetch_sub(1) - 1;
        if (count == 0) delete this;
        return static_cast<acfUInt32>(count);
    }

    int32 RefCount() const { return mCount.load(); }

protected:
    virtual ~HostUnknown() = default;
    // The interface pointer for iid, not counted, or null when the object lacks it. The
    // base answers nothing; every object answers IID_IACFUnknown through AsUnknown.
    virtual void* Find(const _acfUID& iid) = 0;
    IACFUnknown* AsUnknown() { return static_cast<IACFUnknown*>(&FirstInterface()); }

private:
    template <class First, class...> struct FirstOf
    {
        using type = First;
    };
    using First = typename FirstOf<Interfaces...>::type;
    First& FirstInterface() { return *this; }

    std::atomic<int32> mCount{0};
};

} // namespace orv::host
