#include "AAX_VViewContainer.h"

#include <gtest/gtest.h>

#include "ACFPtr.h"
#include "HostViewContainer.h"

using orv::host::HostViewContainer;
using MouseKind = HostViewContainer::MouseKind;

namespace
{

ACFPtr<HostViewContainer> MakeContainer(void* view, int32 type = 1, bool version2 = true)
{
    return ACFPtr<HostViewContainer>(new HostViewContainer(view, type, version2));
}

TEST(AAX_VViewContainer, ForwardsToTheHostAndHoldsItsReferencesUntilDestroyed)
{
    int nativeView = 0;
    ACFPtr<HostViewContainer> host = MakeContainer(&nativeView, 7);
    host->SetModifiers(0x0C);
    host->SetMouseAnswer(MouseKind::Down, kResultSuccess);
    host->SetMouseAnswer(MouseKind::Up, 123);
    {
        AAX_VViewContainer wrapper(host.get());
        EXPECT_EQ(host->RefCount(), 3); // ours plus one per interface version
        EXPECT_EQ(wrapper.GetType(), 7);
        EXPECT_EQ(wrapper.GetPtr(), &nativeView);
        uint32 modifiers = 0;
        EXPECT_EQ(wrapper.GetModifiers(&modifiers), kResultSuccess);
        EXPECT_EQ(modifiers, 0x0Cu);
        AAX_Point size{280.0f, 540.0f};
        EXPECT_EQ(wrapper.SetViewSize(size), kResultSuccess);
        EXPECT_EQ(host->RequestedSize().horz, 540.0f);
        EXPECT_EQ(wrapper.HandleParameterMouseDown("Par1", 0x01), kResultSuccess);
        EXPECT_EQ(wrapper.HandleParameterMouseDrag("Par1", 0x02), HostViewContainer::kDecline);
        EXPECT_EQ(wrapper.HandleParameterMouseUp("Par1", 0x04), 123);
        const AAX_CParamID ids[] = {"Par1", "Par2"};
        EXPECT_EQ(wrapper.HandleMultipleParametersMouseDown(ids, 2, 0),
                  HostViewContainer::kDecline);
    }
    EXPECT_EQ(host->RefCount(), 1);
    const auto events = host->MouseEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, MouseKind::Down);
    EXPECT_EQ(events[0].modifiers, 0x01u);
    EXPECT_EQ(events[1].kind, MouseKind::Drag);
    EXPECT_EQ(events[2].identifier, "Par1");
    EXPECT_EQ(events[2].modifiers, 0x04u);
}

TEST(AAX_VViewContainer, AnswersWithoutAHostInterface)
{
    AAX_VViewContainer none(nullptr);
    EXPECT_EQ(none.GetType(), 0);
    EXPECT_EQ(none.GetPtr(), nullptr);
    uint32 modifiers = 5;
    EXPECT_EQ(none.GetModifiers(&modifiers), kResultUnimplemented);
    EXPECT_EQ(modifiers, 5u);
    AAX_Point size{1.0f, 2.0f};
    EXPECT_EQ(none.SetViewSize(size), kResultSuccess);
    EXPECT_EQ(none.HandleParameterMouseDown("Par1", 0), kResultUnimplemented);
    EXPECT_EQ(none.HandleParameterMouseDrag("Par1", 0), kResultUnimplemented);
    EXPECT_EQ(none.HandleParameterMouseUp("Par1", 0), kResultUnimplemented);

    // A version-1 host: the several-parameter events are not offered to it.
    ACFPtr<HostViewContainer> host = MakeContainer(nullptr, 1, false);
    AAX_VViewContainer v1(host.get());
    EXPECT_EQ(host->RefCount(), 2);
    const AAX_CParamID ids[] = {"Par1"};
    EXPECT_EQ(v1.HandleMultipleParametersMouseDown(ids, 1, 0), kResultUnimplemented);
    EXPECT_EQ(v1.HandleMultipleParametersMouseDrag(ids, 1, 0), kResultUnimplemented);
    EXPECT_EQ(v1.HandleMultipleParametersMouseUp(ids, 1, 0), kResultUnimplemented);
    EXPECT_EQ(v1.GetType(), 1);
}

} // namespace
