#include "DemoGain_OnOffButtonVSTvect.h"

#include <gtest/gtest.h>

#include "AAX_VViewContainer.h"
#include "DemoGain_Colors.h"
#include "EditorRendering.h"
#include "HostViewContainer.h"

using namespace VSTGUI;
using orv::host::HostViewContainer;
using orv::test::EditorRendering;
using orv::test::RecordingListener;
using MouseKind = HostViewContainer::MouseKind;

namespace
{

DemoGain_OnOffButtonVSTvect* AddCheckBox(EditorRendering& rendering,
                                         CControlListener* listener = nullptr)
{
    auto* box = new DemoGain_OnOffButtonVSTvect(CRect(40, 80, 60, 100), listener, 1, nullptr, 0);
    rendering.frame->addView(box);
    return box;
}

TEST(DemoGain_OnOffButtonVSTvect, DrawsAGreyBoxAndABlueCheckMarkWhileOn)
{
    EditorRendering rendering;
    DemoGain_OnOffButtonVSTvect* box = AddCheckBox(rendering);
    ASSERT_TRUE(rendering.view.render());
    const auto& view = rendering.view;
    EXPECT_EQ(view.getPixel(40, 90), DemoGain_Colors::kGrey); // left side of the outline
    EXPECT_EQ(view.getPixel(50, 80), DemoGain_Colors::kGrey); // top side
    EXPECT_EQ(view.getPixel(50, 90), kBlackCColor);           // inside, off: no mark
    EXPECT_EQ(view.getPixel(47, 93), kBlackCColor);

    box->setValue(1.0f);
    ASSERT_TRUE(rendering.view.render());
    // The polyline (44, 90) -> (50, 96) -> (56, 84), 3 pixels wide.
    EXPECT_EQ(view.getPixel(47, 93), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(53, 89), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(44, 84), kBlackCColor); // above the first stroke
    EXPECT_EQ(view.getPixel(40, 90), DemoGain_Colors::kGrey);
}

TEST(DemoGain_OnOffButtonVSTvect, OffersEveryEventToTheHostFirst)
{
    EditorRendering rendering;
    RecordingListener listener;
    DemoGain_OnOffButtonVSTvect* box = AddCheckBox(rendering, &listener);

    // Without a container the toolkit toggles at once.
    rendering.view.click(CPoint(50, 90));
    EXPECT_EQ(box->getValue(), 1.0f);
    EXPECT_EQ(listener.valueChanges, 1);

    ACFPtr<HostViewContainer> host(new HostViewContainer(nullptr));
    host->SetModifiers(0x04);
    AAX_VViewContainer container(host.get());
    box->SetViewContainer(&container);
    rendering.view.click(CPoint(50, 90));
    EXPECT_EQ(box->getValue(), 0.0f); // no identifier yet: the toolkit toggles
    EXPECT_TRUE(host->MouseEvents().empty());
    rendering.view.click(CPoint(50, 90));
    EXPECT_EQ(box->getValue(), 1.0f);

    box->SetParamID("Par1");
    host->SetMouseAnswer(MouseKind::Down, kResultSuccess);
    CPoint where(50, 90);
    EXPECT_EQ(box->onMouseDown(where, kLButton | kShift), kMouseEventHandled);
    EXPECT_EQ(box->getValue(), 1.0f); // the host took it: unchanged
    const auto events = host->MouseEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].identifier, "Par1");
    EXPECT_EQ(events[0].modifiers, 0x05u); // Shift from the event, Option from the host

    // A drag with only the right button down is never offered.
    box->onMouseMoved(where, kRButton);
    EXPECT_EQ(host->MouseEventCount(MouseKind::Drag), 0u);
    box->onMouseMoved(where, kLButton);
    EXPECT_EQ(host->MouseEventCount(MouseKind::Drag), 1u);
    box->onMouseUp(where, kLButton);
    EXPECT_EQ(host->MouseEventCount(MouseKind::Up), 1u);
}

TEST(DemoGain_OnOffButtonVSTvect, OptionClickRestoresTheDefaultInsideAnEditBracket)
{
    EditorRendering rendering;
    RecordingListener listener;
    DemoGain_OnOffButtonVSTvect* box = AddCheckBox(rendering, &listener);
    box->setDefaultValue(1.0f);
    box->setValue(0.0f);
    box->setDirty(false);

    EXPECT_FALSE(box->checkDefaultValue(kLButton | kAlt | kShift));
    EXPECT_EQ(box->getValue(), 0.0f);
    EXPECT_TRUE(listener.calls.empty());

    EXPECT_TRUE(box->checkDefaultValue(kLButton | kAlt));
    EXPECT_EQ(box->getValue(), 1.0f);
    EXPECT_EQ(listener.valueChanges, 1);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "end"}));

    // Already at the default: bracket, but no change to report.
    box->setDirty(false);
    EXPECT_TRUE(box->checkDefaultValue(kLButton | kAlt));
    EXPECT_EQ(listener.valueChanges, 1);
}

} // namespace
