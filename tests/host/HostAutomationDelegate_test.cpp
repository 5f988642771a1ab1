#include "HostAutomationDelegate.h"

#include <gtest/gtest.h>

#include "ACFPtr.h"

namespace
{
using orv::host::HostAutomationDelegate;
using Kind = HostAutomationDelegate::EventKind;

TEST(HostAutomationDelegate, RecordsCallsAndKeepsTouchState)
{
    ACFPtr<HostAutomationDelegate> host(new HostAutomationDelegate());
    void* found = nullptr;
    ASSERT_EQ(host->QueryInterface(IID_IAAXAutomationDelegateV1, &found), kResultSuccess);
    ACFPtr<AAX_IACFAutomationDelegate> automation;
    automation.Attach(static_cast<AAX_IACFAutomationDelegate*>(found));

    automation->RegisterParameter("a");
    automation->RegisterParameter("b");
    automation->RegisterParameter("a");
    EXPECT_EQ(host->Registered(), std::vector<std::string>({"a", "b"}));
    automation->UnregisterParameter("a");
    EXPECT_EQ(host->Registered(), std::vector<std::string>({"b"}));

    AAX_CBoolean touched = 7;
    automation->PostTouchRequest("b");
    automation->PostTouchRequest("b");
    EXPECT_EQ(automation->GetTouchState("b", &touched), kResultSuccess);
    EXPECT_EQ(touched, 1);
    automation->PostReleaseRequest("b");
    automation->GetTouchState("b", &touched);
    EXPECT_EQ(touched, 1); // touched twice, released once
    automation->PostReleaseRequest("b");
    automation->GetTouchState("b", &touched);
    EXPECT_EQ(touched, 0);
    EXPECT_EQ(automation->GetTouchState("b", nullptr), kResultNullArgument);
    EXPECT_EQ(automation->PostSetValueRequest(nullptr, 0.5), kResultNullArgument);

    automation->PostCurrentValue("b", 0.75);
    const auto events = host->Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().kind, Kind::CurrentValue);
    EXPECT_EQ(events.back().identifier, "b");
    EXPECT_DOUBLE_EQ(events.back().value, 0.75);
    EXPECT_EQ(host->Count(Kind::Touch, "b"), 2u);
    EXPECT_EQ(host->Count(Kind::Register), 3u);
    host->ClearEvents();
    EXPECT_TRUE(host->Events().empty());
}

TEST(HostAutomationDelegate, QueuesRequestsUntilPumpedAndDropsThemWithoutAComponent)
{
    ACFPtr<HostAutomationDelegate> host(new HostAutomationDelegate());
    host->PostSetValueRequest("a", 0.25);
    host->PostSetValueRequest("b", 1.0);
    const auto pending = host->PendingRequests();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].identifier, "a");
    EXPECT_DOUBLE_EQ(pending[1].value, 1.0);

    int updates = 0;
    host->SetUpdateListener([&](const char*, double) { ++updates; });
    EXPECT_EQ(host->Pump(), 2); // taken off the queue even with no component to apply to
    EXPECT_EQ(updates, 0);
    EXPECT_TRUE(host->PendingRequests().empty());
    EXPECT_EQ(host->Pump(), 0);

    host->SetImmediate(true);
    EXPECT_TRUE(host->Immediate());
    host->PostSetValueRequest("c", 0.5);
    EXPECT_TRUE(host->PendingRequests().empty());
    EXPECT_EQ(host->Count(Kind::SetRequest), 3u);
}

} // namespace
