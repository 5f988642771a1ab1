#include "ReferenceHost.h"

#include <gtest/gtest.h>

#include "AAX_IACFController.h"
#include "AAX_IACFHostServices.h"
#include "AAX_IACFTransport.h"

using orv::host::HostObjectCount;
using orv::host::ReferenceHost;
using orv::host::ReferenceHostOptions;

namespace
{

AAX_Result Ask(IACFUnknown* context, const _acfUID& iid, ACFPtr<IACFUnknown>& out)
{
    return context->QueryInterface(iid, reinterpret_cast<void**>(&out));
}

TEST(ReferenceHost, TheContextAnswersForTheObjectsItOffers)
{
    ReferenceHost host;
    // The host's own references to each offered object: its ReferenceHost and its context.
    constexpr int32 kHostReferences = 2;
    EXPECT_EQ(host.Controller().RefCount(), kHostReferences);
    ACFPtr<IACFUnknown> answer;

    ASSERT_EQ(Ask(host.Context(), IID_IAAXControllerV2, answer), kResultSuccess);
    EXPECT_EQ(answer.get(),
              static_cast<IACFUnknown*>(static_cast<AAX_IACFController_V2*>(&host.Controller())));
    EXPECT_EQ(host.Controller().RefCount(), kHostReferences + 1);

    ASSERT_EQ(Ask(host.Context(), IID_IAAXTransportV1, answer), kResultSuccess);
    EXPECT_EQ(host.Controller().RefCount(), kHostReferences); // the previous answer was released
    EXPECT_EQ(host.Transport().RefCount(), kHostReferences + 1);

    ASSERT_EQ(Ask(host.Context(), IID_IACFComponentFactory, answer), kResultSuccess);
    ASSERT_EQ(Ask(host.Context(), IID_IACFUnknown, answer), kResultSuccess);
    EXPECT_EQ(answer.get(), host.Context());

    // Host services come from the factory only, not from the context.
    EXPECT_EQ(Ask(host.Context(), IID_IAAXHostServicesV1, answer), kResultNoInterface);
    EXPECT_EQ(answer.get(), nullptr);

    _acfUID lastByteWrong = IID_IAAXControllerV1;
    lastByteWrong.Data4[7] ^= 0x80;
    void* out = &host;
    EXPECT_EQ(host.Context()->QueryInterface(lastByteWrong, &out), kResultNoInterface);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(host.Context()->QueryInterface(IID_IAAXControllerV1, nullptr), kResultNullArgument);

    const auto queries = host.ContextObject().Queries();
    ASSERT_GE(queries.size(), 6u);
    EXPECT_EQ(queries[0].iid, IID_IAAXControllerV2);
    EXPECT_EQ(queries[0].result, kResultSuccess);
    EXPECT_EQ(queries[4].result, kResultNoInterface);
}

TEST(ReferenceHost, OptionsWithholdVersionsAndObjects)
{
    ReferenceHostOptions options;
    options.controllerVersion2 = false;
    options.offerTransport = false;
    ReferenceHost host(options);
    ACFPtr<IACFUnknown> answer;
    EXPECT_EQ(Ask(host.Context(), IID_IAAXControllerV1, answer), kResultSuccess);
    EXPECT_EQ(Ask(host.Context(), IID_IAAXControllerV2, answer), kResultNoInterface);
    EXPECT_EQ(Ask(host.Context(), IID_IAAXTransportV1, answer), kResultNoInterface);

    ACFPtr<IACFComponentFactory> factory;
    ASSERT_EQ(host.Context()->QueryInterface(IID_IACFComponentFactory,
                                             reinterpret_cast<void**>(&factory)),
              kResultSuccess);
    ACFPtr<AAX_IACFHostServices_V2> services;
    EXPECT_EQ(factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV2,
                                       reinterpret_cast<void**>(&services)),
              kResultSuccess);
    ASSERT_TRUE(services);
    services->Trace(3, "through the factory");
    EXPECT_EQ(host.Services().TraceLog().at(0).text, "through the factory");
}

TEST(ReferenceHost, EveryHostObjectIsGoneWithTheHost)
{
    const int32 before = HostObjectCount::Live();
    {
        ReferenceHost host;
        EXPECT_EQ(HostObjectCount::Live(), before + 5);
        ACFPtr<IACFUnknown> answer;
        Ask(host.Context(), IID_IAAXControllerV1, answer);
    }
    EXPECT_EQ(HostObjectCount::Live(), before);
}

} // namespace
