#include "HostDescriptionMakers.h"

#include "AAX_UIDs.h"
#include "HostCollection.h"

namespace orv::host
{

namespace
{

template <class Object> HostComponentFactory::Maker MakerOf(const HostDescriptionOptions& options)
{
    return [options](const _acfUID& iid, void** out) -> AAX_Result
    {
        // Held while answering, so an object without iid is released again.
        ACFPtr<Object> object(new Object(options));
        return object->QueryInterface(iid, out);
    };
}

} // namespace

void HostDescriptionMakers::Register(HostComponentFactory& factory,
                                     const HostDescriptionOptions& options)
{
    if (!options.offerDescriptions) return;
    factory.Register(AAXCompID_AAXCollection, MakerOf<HostCollection>(options));
    factory.Register(AAXCompID_AAXEffectDescriptor, MakerOf<HostEffectDescriptor>(options));
    factory.Register(AAXCompID_AAXComponentDescriptor, MakerOf<HostComponentDescriptor>(options));
    factory.Register(AAXCompID_AAXPropertyMap, MakerOf<HostPropertyMap>(options));
}

void HostDescriptionMakers::Unregister(HostComponentFactory& factory)
{
    factory.Unregister(AAXCompID_AAXCollection);
    factory.Unregister(AAXCompID_AAXEffectDescriptor);
    factory.Unregister(AAXCompID_AAXComponentDescriptor);
    factory.Unregister(AAXCompID_AAXPropertyMap);
}

} // namespace orv::host
