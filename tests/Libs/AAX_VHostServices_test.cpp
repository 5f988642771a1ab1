#include "AAX_VHostServices.h"

#include <gtest/gtest.h>

#include "ReferenceHost.h"

using orv::host::ReferenceHost;
using orv::host::ReferenceHostOptions;

namespace
{

TEST(AAX_VHostServices, MakesBothVersionsThroughTheFactoryAndForwards)
{
    ReferenceHost host;
    {
        AAX_VHostServices services(host.Context());
        // Both versions held; the factory was released again.
        EXPECT_EQ(host.Services().RefCount(), 1 + 1 + 2);
        EXPECT_EQ(host.Factory().RefCount(), 2);

        const auto requests = host.Factory().Requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].compID, AAXCompID_HostServices);
        EXPECT_EQ(requests[0].iid, IID_IAAXHostServicesV1);
        EXPECT_EQ(requests[1].iid, IID_IAAXHostServicesV2);

        EXPECT_EQ(services.Trace(0x08000000, "hello"), kResultSuccess);
        EXPECT_EQ(services.Assert("file.cpp", 12, "never"), kResultSuccess);
        EXPECT_EQ(services.StackTrace(1, 2, "where"), kResultSuccess);
    }
    // The factory's maker keeps the services alive beside the host's own reference.
    EXPECT_EQ(host.Services().RefCount(), 2);

    const auto traces = host.Services().TraceLog();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].priority, 0x08000000);
    EXPECT_EQ(traces[0].text, "hello");
    ASSERT_EQ(host.Services().Assertions().size(), 1u);
    EXPECT_EQ(host.Services().Assertions()[0], "file.cpp:12: never");
    ASSERT_EQ(host.Services().StackTraces().size(), 1u);
    EXPECT_EQ(host.Services().StackTraces()[0].text, "where");
}

TEST(AAX_VHostServices, FollowsTheVersionRules)
{
    ReferenceHostOptions versionOne;
    versionOne.hostServicesVersion2 = false;
    ReferenceHost oldHost(versionOne);
    {
        AAX_VHostServices services(oldHost.Context());
        EXPECT_EQ(services.Trace(1, "kept"), kResultSuccess);
        EXPECT_EQ(services.StackTrace(1, 1, "lost"), kResultUnimplemented);
        EXPECT_TRUE(oldHost.Services().StackTraces().empty());
        EXPECT_EQ(oldHost.Services().TraceLog().size(), 1u);
    }

    ReferenceHostOptions noFactory;
    noFactory.offerComponentFactory = false;
    ReferenceHost hostWithoutFactory(noFactory);
    AAX_VHostServices withoutFactory(hostWithoutFactory.Context());
    EXPECT_EQ(withoutFactory.Trace(1, "x"), kResultNullObject);
    EXPECT_EQ(withoutFactory.Assert("f", 1, "n"), kResultNullObject);
    EXPECT_EQ(withoutFactory.StackTrace(1, 1, "x"), kResultUnimplemented);

    ReferenceHostOptions noServices;
    noServices.offerHostServices = false;
    ReferenceHost hostWithoutServices(noServices);
    AAX_VHostServices withoutServices(hostWithoutServices.Context());
    EXPECT_EQ(withoutServices.Trace(1, "x"), kResultNullObject);
    EXPECT_EQ(hostWithoutServices.Factory().RefCount(), 2); // released after the failures

    AAX_VHostServices overNothing(nullptr);
    EXPECT_EQ(overNothing.Trace(1, "x"), kResultNullObject);
}

} // namespace
