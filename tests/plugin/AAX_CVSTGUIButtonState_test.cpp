#include "AAX_CVSTGUIButtonState.h"

#include <gtest/gtest.h>

#include "AAX_VViewContainer.h"
#include "HostViewContainer.h"

using orv::host::HostViewContainer;

namespace
{

TEST(AAX_CVSTGUIButtonState, MapsEachModifierBothWaysAndJoinsTheHostsModifiers)
{
    ACFPtr<HostViewContainer> host(new HostViewContainer(nullptr));
    host->SetModifiers(0x08); // Command held, as the host sees it
    AAX_VViewContainer container(host.get());
    const AAX_CVSTGUIButtonState shiftClick(0x12, &container);
    EXPECT_EQ(shiftClick.hostModifiers, 0x09u);
    EXPECT_EQ(shiftClick.buttonState, 0x32u);

    const AAX_CVSTGUIButtonState rightControl(0x88, nullptr);
    EXPECT_EQ(rightControl.hostModifiers, 0x12u);
    EXPECT_EQ(rightControl.buttonState, 0x88u);

    // Every key one by one, and bits without a host meaning pass through untouched.
    EXPECT_EQ(AAX_CVSTGUIButtonState(0x10, nullptr).hostModifiers, 0x01u);
    EXPECT_EQ(AAX_CVSTGUIButtonState(0x80, nullptr).hostModifiers, 0x02u);
    EXPECT_EQ(AAX_CVSTGUIButtonState(0x40, nullptr).hostModifiers, 0x04u);
    EXPECT_EQ(AAX_CVSTGUIButtonState(0x20, nullptr).hostModifiers, 0x08u);
    const AAX_CVSTGUIButtonState doubleClick(0x402 | 0x04, nullptr);
    EXPECT_EQ(doubleClick.hostModifiers, 0u);
    EXPECT_EQ(doubleClick.buttonState, 0x406u);

    // Every host bit comes back as its toolkit bit.
    host->SetModifiers(0x1F);
    const AAX_CVSTGUIButtonState all(0x02, &container);
    EXPECT_EQ(all.hostModifiers, 0x1Fu);
    EXPECT_EQ(all.buttonState, 0x02u | 0x10u | 0x80u | 0x40u | 0x20u | 0x08u);
}

} // namespace
