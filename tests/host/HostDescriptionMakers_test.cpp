#include "HostDescriptionMakers.h"

#include <gtest/gtest.h>

#include "HostCollection.h"
#include "ReferenceHost.h"

using namespace orv::host;

namespace
{

template <class T> ACFPtr<T> Make(ReferenceHost& host, const _acfUID& compID, const _acfUID& iid)
{
    ACFPtr<T> object;
    host.Factory().CreateComponent(compID, nullptr, iid, reinterpret_cast<void**>(&object));
    return object;
}

TEST(HostDescriptionMakers, TheFactoryMakesRecordingDescriptionObjects)
{
    const int32 liveBefore = HostObjectCount::Live();
    {
        ReferenceHost host;
        HostDescriptionMakers::Register(host.Factory(), HostDescriptionOptions());
        auto collection =
            Make<AAX_IACFCollection>(host, AAXCompID_AAXCollection, IID_IAAXCollectionV1);
        auto effect = Make<AAX_IACFEffectDescriptor_V2>(host, AAXCompID_AAXEffectDescriptor,
                                                        IID_IAAXEffectDescriptorV2);
        auto map =
            Make<AAX_IACFPropertyMap_V2>(host, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV2);
        auto component = Make<AAX_IACFComponentDescriptor>(host, AAXCompID_AAXComponentDescriptor,
                                                           IID_IAAXComponentDescriptorV1);
        ASSERT_TRUE(collection && effect && map && component);

        // Properties keep their first-added order; a repeated number changes the value.
        map->AddProperty(static_cast<AAX_EProperty>(12), 1);
        map->AddProperty(static_cast<AAX_EProperty>(11), 2);
        map->AddProperty(static_cast<AAX_EProperty>(12), 3);
        EXPECT_EQ(map->AddPropertyWithIDArray(static_cast<AAX_EProperty>(20), nullptr, 2),
                  kResultNullArgument);
        const AAX_SPlugInIdentifierTriad triad = {1, 2, 3};
        EXPECT_EQ(map->AddPropertyWithIDArray(static_cast<AAX_EProperty>(20), &triad, 1),
                  kResultSuccess);
        const AAX_SPlugInIdentifierTriad* ids = nullptr;
        uint32 count = 0;
        EXPECT_TRUE(map->GetPropertyWithIDArray(static_cast<AAX_EProperty>(20), &ids, &count));
        ASSERT_EQ(count, 1u);
        EXPECT_EQ(ids[0].mPlugInID, 3u);

        EXPECT_EQ(effect->AddName("Orv"), kResultSuccess);
        EXPECT_EQ(effect->AddProcPtr(nullptr, 0), kResultNullArgument);
        EXPECT_EQ(effect->SetProperties(map.get()), kResultSuccess);
        EXPECT_EQ(effect->AddComponent(component.get()), kResultSuccess);
        // Objects that are not the host's own are refused.
        EXPECT_EQ(effect->SetProperties(collection.get()), kResultNullObject);
        EXPECT_EQ(collection->AddEffect("id", map.get()), kResultNullObject);
        EXPECT_EQ(collection->AddEffect("id", effect.get()), kResultSuccess);

        ACFPtr<HostCollection> recorded = HostCollection::From(collection.get());
        ASSERT_TRUE(recorded);
        ASSERT_EQ(recorded->Effects().size(), 1u);
        const HostEffectDescriptor& described = *recorded->Effects()[0].descriptor.get();
        EXPECT_EQ(described.Names(), std::vector<std::string>{"Orv"});
        EXPECT_EQ(described.Components().size(), 1u);
        EXPECT_EQ(described.Properties()->Entries(),
                  (std::vector<HostPropertyMap::Entry>{{12, 3}, {11, 2}}));
    }
    EXPECT_EQ(HostObjectCount::Live(), liveBefore);
}

TEST(HostDescriptionMakers, OptionsPlayOlderAndFaultyHosts)
{
    ReferenceHost host;
    HostDescriptionOptions options;
    options.effectDescriptorVersion2 = false;
    options.propertyMapVersion2 = false;
    options.offerPluginDefinition = false;
    options.throwInAddName = true;
    HostDescriptionMakers::Register(host.Factory(), options);
    EXPECT_FALSE((Make<AAX_IACFEffectDescriptor_V2>(host, AAXCompID_AAXEffectDescriptor,
                                                    IID_IAAXEffectDescriptorV2)));
    EXPECT_FALSE(
        (Make<AAX_IACFPropertyMap_V2>(host, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV2)));
    auto collection = Make<AAX_IACFCollection>(host, AAXCompID_AAXCollection, IID_IAAXCollectionV1);
    ASSERT_TRUE(collection);
    ACFPtr<IACFUnknown> definition;
    EXPECT_EQ(
        collection->QueryInterface(IID_IACFPluginDefinition, reinterpret_cast<void**>(&definition)),
        kResultNoInterface);
    auto effect = Make<AAX_IACFEffectDescriptor>(host, AAXCompID_AAXEffectDescriptor,
                                                 IID_IAAXEffectDescriptorV1);
    ASSERT_TRUE(effect);
    EXPECT_THROW(effect->AddName("Orv"), int);

    HostDescriptionMakers::Unregister(host.Factory());
    EXPECT_FALSE((Make<AAX_IACFCollection>(host, AAXCompID_AAXCollection, IID_IAAXCollectionV1)));
}

} // namespace
