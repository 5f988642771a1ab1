#include "DemoGain_ParameterBinding.h"

#include <gtest/gtest.h>

#include "AAX_VViewContainer.h"
#include "HostViewContainer.h"

using namespace VSTGUI;
using orv::host::HostViewContainer;
using MouseKind = HostViewContainer::MouseKind;

namespace
{

struct Binding : DemoGain_ParameterBinding
{
    using DemoGain_ParameterBinding::DragState;
    using DemoGain_ParameterBinding::OfferToHost;
};

TEST(DemoGain_ParameterBinding, CommandDragReachesTheToolkitWithShiftToo)
{
    EXPECT_EQ(static_cast<int32_t>(Binding::DragState(kLButton | kControl)),
              kLButton | kControl | kShift);
    EXPECT_EQ(static_cast<int32_t>(Binding::DragState(kLButton | kAlt)), kLButton | kAlt);
}

TEST(DemoGain_ParameterBinding, OnlyAnAnswerOfZeroMeansTheHostTookTheEvent)
{
    Binding binding;
    ACFPtr<HostViewContainer> host(new HostViewContainer(nullptr));
    AAX_VViewContainer container(host.get());
    EXPECT_FALSE(binding.OfferToHost(Binding::MouseStage::Down, kLButton, 0));
    binding.SetViewContainer(&container);
    EXPECT_FALSE(binding.OfferToHost(Binding::MouseStage::Down, kLButton, 0));
    EXPECT_TRUE(host->MouseEvents().empty()); // no identifier yet

    binding.SetParamID("minkp"); // names no parameter: the host is asked all the same
    host->SetMouseAnswer(MouseKind::Down, 1);
    EXPECT_FALSE(binding.OfferToHost(Binding::MouseStage::Down, kLButton, 0));
    host->SetMouseAnswer(MouseKind::Down, kResultSuccess);
    EXPECT_TRUE(binding.OfferToHost(Binding::MouseStage::Down, kLButton, 0x01));
    host->SetMouseAnswer(MouseKind::Drag, kResultSuccess);
    EXPECT_FALSE(binding.OfferToHost(Binding::MouseStage::Drag, kRButton, 0x10));
    EXPECT_TRUE(binding.OfferToHost(Binding::MouseStage::Drag, kLButton, 0));
    EXPECT_FALSE(binding.OfferToHost(Binding::MouseStage::Up, kLButton, 0));
    const auto events = host->MouseEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].identifier, "minkp");
    EXPECT_EQ(events[1].modifiers, 0x01u);
    EXPECT_EQ(events[3].kind, MouseKind::Up);
}

} // namespace
