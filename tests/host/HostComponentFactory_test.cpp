#include "HostComponentFactory.h"

#include <gtest/gtest.h>

#include "AAX_IACFHostServices.h"
#include "ACFPtr.h"
#include "HostServices.h"

using orv::host::HostComponentFactory;
using orv::host::HostObjectCount;
using orv::host::HostServices;

namespace
{

TEST(HostComponentFactory, MakesRegisteredComponentsAndRecordsEveryRequest)
{
    const int32 before = HostObjectCount::Live();
    {
        ACFPtr<HostComponentFactory> factory(new HostComponentFactory);
        // A maker that builds a new object per request.
        factory->Register(AAXCompID_HostServices,
                          [](const _acfUID& iid, void** out)
                          {
                              ACFPtr<HostServices> made(new HostServices);
                              return made->QueryInterface(iid, out);
                          });

        ACFPtr<AAX_IACFHostServices> first, second;
        ASSERT_EQ(factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1,
                                           reinterpret_cast<void**>(&first)),
                  kResultSuccess);
        ASSERT_EQ(factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1,
                                           reinterpret_cast<void**>(&second)),
                  kResultSuccess);
        EXPECT_NE(first.get(), second.get());

        int marker = 0;
        void* out = &marker; // must be cleared on every failure
        EXPECT_EQ(
            factory->CreateComponent(AAXCompID_AAXCollection, nullptr, IID_IAAXCollectionV1, &out),
            kResultNoInterface);
        EXPECT_EQ(out, nullptr);
        out = &marker;
        EXPECT_EQ(factory->CreateComponent(AAXCompID_HostServices, first.get(),
                                           IID_IAAXHostServicesV1, &out),
                  kResultUnimplemented);
        EXPECT_EQ(out, nullptr);
        out = &marker;
        EXPECT_EQ(
            factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXControllerV1, &out),
            kResultNoInterface);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1,
                                           nullptr),
                  kResultNullArgument);

        const auto requests = factory->Requests();
        ASSERT_EQ(requests.size(), 5u);
        EXPECT_EQ(requests[2].compID, AAXCompID_AAXCollection);
        EXPECT_EQ(requests[2].result, kResultNoInterface);
        EXPECT_EQ(requests[4].iid, IID_IAAXControllerV1);

        factory->Unregister(AAXCompID_HostServices);
        out = &marker;
        EXPECT_EQ(
            factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1, &out),
            kResultNoInterface);
        EXPECT_EQ(out, nullptr);
    }
    // The objects made for the failed requests were not leaked.
    EXPECT_EQ(HostObjectCount::Live(), before);
}

TEST(HostComponentFactory, AFailingMakerCannotLeakWhatItFilledIn)
{
    const int32 before = HostObjectCount::Live();
    {
        ACFPtr<HostComponentFactory> factory(new HostComponentFactory);
        factory->Register(AAXCompID_AAXPropertyMap,
                          [](const _acfUID&, void** out)
                          {
                              ACFPtr<HostServices> made(new HostServices);
                              made->QueryInterface(IID_IACFUnknown, out);
                              return static_cast<AAX_Result>(kResultUnimplemented);
                          });
        void* out = nullptr;
        EXPECT_EQ(
            factory->CreateComponent(AAXCompID_AAXPropertyMap, nullptr, IID_IACFUnknown, &out),
            kResultUnimplemented);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(HostObjectCount::Live(), before);
}

} // namespace
