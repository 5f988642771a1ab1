#include "CACFUnknown.h"

std::atomic<acfSInt32> CACFUnknown::m_ActiveObjects{0};

CACFUnknown::CACFUnknown() : m_cRef(0), m_pUnkOuter(&m_UnkPrivate), m_UnkPrivate(this)
{
    m_ActiveObjects.fetch_add(1);
}

CACFUnknown::~CACFUnknown()
{
    m_ActiveObjects.fetch_sub(1);
}

ACFRESULT CACFUnknown::InitializeInstance(IACFUnknown* /*host*/)
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease()
{
}

void CACFUnknown::ReclaimMemory()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface(const _acfUID& iid, void** outInterface)
{
    if (!outInterface) return ACF_E_POINTER;
    *outInterface = nullptr;
    if (iid != IID_IACFUnknown) return ACF_E_NOINTERFACE;
    m_UnkPrivate.AddRef();
    *outInterface = static_cast<IACFUnknown*>(&m_UnkPrivate);
    return ACF_OK;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return static_cast<acfUInt32>(m_cRef.fetch_add(1) + 1);
}

acfUInt32 CACFUnknown::InternalRelease()
{
    // Only the value this decrement yields decides; another thread may already be changing
    // the count again.
    const acfSInt32 count = m_cRef.fetch_sub(1) - 1;
    if (count == 0)
    {
        FinalRelease();
        ReclaimMemory();
    }
    return static_cast<acfUInt32>(count);
}

acfSInt32 CACFUnknown::GetActiveObjectCount()
{
    return m_ActiveObjects.load();
}

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface(const _acfUID& iid, void** outInterface)
{
    return mOwner->InternalQueryInterface(iid, outInterface);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return mOwner->InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return mOwner->InternalRelease();
}
