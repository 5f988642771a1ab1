#pragma once

#include "ACFPtr.h"
#include "IACFComponentFactory.h"

// Helpers the description wrappers share for reaching the host's objects.
namespace AAX_HostObjects
{

// Asks host's component factory for a new object compID seen as iid and lets holder adopt
// it. A null host, a missing factory or a failed creation leaves holder empty; the factory
// is released before returning.
template <class T>
void Create(IACFUnknown* host, const _acfUID& compID, const _acfUID& iid, ACFPtr<T>& holder)
{
    holder.Clear();
    if (!host) return;
    ACFPtr<IACFComponentFactory> factory;
    if (host->QueryInterface(IID_IACFComponentFactory, reinterpret_cast<void**>(&factory)) !=
            ACF_OK ||
        !factory)
        return;
    factory->CreateComponent(compID, nullptr, iid, reinterpret_cast<void**>(&holder));
}

// Fills holder with interface iid of object (which may be empty); failure leaves it empty.
template <class T, class U>
void Query(const ACFPtr<U>& object, const _acfUID& iid, ACFPtr<T>& holder)
{
    holder.Clear();
    if (!object) return;
    object->QueryInterface(iid, reinterpret_cast<void**>(&holder));
}

// The host object behind a wrapper of type Wrapper, or null for a null wrapper or one of
// another kind.
template <class Wrapper, class Interface> IACFUnknown* Of(Interface* wrapper)
{
    auto* known = dynamic_cast<Wrapper*>(wrapper);
    return known ? known->GetIUnknown() : nullptr;
}

} // namespace AAX_HostObjects
