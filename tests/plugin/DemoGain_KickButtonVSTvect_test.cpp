#include "DemoGain_KickButtonVSTvect.h"

#include <gtest/gtest.h>

#include "AAX_VViewContainer.h"
#include "DemoGain_Colors.h"
#include "EditorRendering.h"
#include "HostViewContainer.h"

using namespace VSTGUI;
using orv::host::HostViewContainer;
using orv::test::EditorRendering;

namespace
{

DemoGain_KickButtonVSTvect* AddButton(EditorRendering& rendering, int symbol,
                                      CControlListener* listener = nullptr)
{
    auto* button = new DemoGain_KickButtonVSTvect(CRect(316, 120, 326, 130), listener, 41, 10,
                                                  nullptr, CPoint(0, 0));
    button->setSymbol(symbol);
    rendering.frame->addView(button);
    return button;
}

TEST(DemoGain_KickButtonVSTvect, DrawsAPlusSpanningEightyPercentInBlueWhileReleased)
{
    EditorRendering rendering;
    AddButton(rendering, 1);
    ASSERT_TRUE(rendering.view.render());
    const auto& view = rendering.view;
    // Horizontal stroke (317, 125) to (325, 125), 2 pixels wide: rows 124 and 125.
    EXPECT_EQ(view.getPixel(317, 124), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(324, 125), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(316, 125), kBlackCColor);
    EXPECT_EQ(view.getPixel(325, 125), kBlackCColor);
    EXPECT_EQ(view.getPixel(318, 126), kBlackCColor);
    EXPECT_EQ(view.getPixel(318, 123), kBlackCColor);
    // Vertical stroke (321, 121) to (321, 129): columns 320 and 321.
    EXPECT_EQ(view.getPixel(320, 121), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(321, 128), DemoGain_Colors::kBlue);
    EXPECT_EQ(view.getPixel(321, 120), kBlackCColor);
    EXPECT_EQ(view.getPixel(321, 129), kBlackCColor);
    EXPECT_EQ(view.getPixel(322, 122), kBlackCColor);
}

TEST(DemoGain_KickButtonVSTvect, DrawsAMinusAndTurnsGreyWhilePressed)
{
    EditorRendering rendering;
    DemoGain_KickButtonVSTvect* button = AddButton(rendering, 0);
    ASSERT_TRUE(rendering.view.render());
    EXPECT_EQ(rendering.view.getPixel(318, 124), DemoGain_Colors::kBlue);
    EXPECT_EQ(rendering.view.getPixel(320, 122), kBlackCColor); // no vertical stroke

    // Held down by the toolkit (no container): the pressed colour.
    rendering.view.mouseDown(CPoint(321, 125), kLButton);
    ASSERT_TRUE(rendering.view.render());
    EXPECT_GT(button->getValue(), 0.5f);
    EXPECT_EQ(rendering.view.getPixel(318, 124), DemoGain_Colors::kGrey);
    rendering.view.mouseUp(CPoint(321, 125), kLButton);
}

TEST(DemoGain_KickButtonVSTvect, AClickTheHostLeavesToTheToolkitNotifiesTwice)
{
    EditorRendering rendering;
    orv::test::RecordingListener listener;
    DemoGain_KickButtonVSTvect* button = AddButton(rendering, 1, &listener);
    ACFPtr<HostViewContainer> host(new HostViewContainer(nullptr));
    AAX_VViewContainer container(host.get());
    button->SetViewContainer(&container);
    button->SetParamID("minkp");

    rendering.view.click(CPoint(321, 125));
    EXPECT_EQ(listener.valueChanges, 2);
    EXPECT_EQ(host->MouseEventCount(HostViewContainer::MouseKind::Down, "minkp"), 1u);
    EXPECT_EQ(host->MouseEventCount(HostViewContainer::MouseKind::Up, "minkp"), 1u);

    // Released beside the button: one notification only.
    rendering.view.mouseDown(CPoint(321, 125), kLButton);
    rendering.view.mouseMoved(CPoint(400, 190), kLButton);
    rendering.view.mouseUp(CPoint(400, 190), kLButton);
    EXPECT_EQ(listener.valueChanges, 3);

    // A host that takes the mouse-down: the toolkit never sees the click.
    host->SetMouseAnswer(HostViewContainer::MouseKind::Down, kResultSuccess);
    host->SetMouseAnswer(HostViewContainer::MouseKind::Up, kResultSuccess);
    rendering.view.click(CPoint(321, 125));
    EXPECT_EQ(listener.valueChanges, 3);
    EXPECT_EQ(button->getValue(), 0.0f);
}

} // namespace
