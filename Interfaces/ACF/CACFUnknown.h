#pragma once

#include <atomic>

#include "IACFUnknown.h"
#include "acfresult.h"

// Reference-counted base of every component the host creates. It owns the count, answers
// the root interface through its private unknown, destroys the object on the last release
// and keeps the module-wide count of live components that decides whether the module may
// be unloaded. Counts change only by atomic read-modify-write; no lock is taken.
class CACFUnknown
{
public:
    CACFUnknown();
    virtual ~CACFUnknown();

    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;

    // Hook for set-up with the host object; the base does nothing and succeeds.
    virtual ACFRESULT InitializeInstance(IACFUnknown* host);
    // Runs just before destruction on the last release; the base does nothing.
    virtual void FinalRelease();
    // Deletes the object.
    virtual void ReclaimMemory();
    // Answers IID_IACFUnknown with the private unknown (counted); anything else fails with
    // ACF_E_NOINTERFACE and a null out pointer. Components extend this for their interfaces.
    virtual ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface);
    virtual acfUInt32 InternalAddRef();
    // At 0 runs FinalRelease and ReclaimMemory; returns 0 once the object is gone.
    virtual acfUInt32 InternalRelease();

    // Number of live CACFUnknown objects in the module.
    static acfSInt32 GetActiveObjectCount();

    // The current reference count, for diagnostics and tests.
    acfSInt32 GetRefCount() const { return m_cRef.load(); }

protected:
    // The controlling unknown that component interfaces forward QueryInterface, AddRef and
    // Release to. Nothing is aggregated here, so it is always the private unknown.
    IACFUnknown* GetOuterIUnknown() const { return m_pUnkOuter; }

public:
    // The object's identity as IACFUnknown: forwards to the owner's internal operations.
    class PrivateUnknown : public IACFUnknown
    {
    public:
        explicit PrivateUnknown(CACFUnknown* owner) : mOwner(owner) {}
        ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown* mOwner;
    };

private:
    std::atomic<acfSInt32> m_cRef;
    IACFUnknown* m_pUnkOuter;
    PrivateUnknown m_UnkPrivate;

    static std::atomic<acfSInt32> m_ActiveObjects;
};
