#include "CControlListener.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "CKickButton.h"
#include "COnOffButton.h"
#include "CTextLabel.h"
#include "FrameTableHost.h"
#include "ImageSurface.h"
#include "PlatformView.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace VSTGUI;
using orv::test::FrameTableHost;

TEST(PlatformView, RendersTheFrameAndSavesItAsPng)
{
    FrameTableHost view;
    EXPECT_FALSE(view.render()) << "no frame yet";
    EXPECT_FALSE(view.savePNG(std::string(ORV_TOOLKIT_TEST_TMP) + "/none.png"));

    CFrame* frame = new CFrame(CRect(0, 0, 0, 0), view.getNativeHandle(), nullptr);
    EXPECT_TRUE(view.hasFrame());
    ASSERT_NE(frame->getPlatformView(), nullptr);
    EXPECT_FALSE(view.render()) << "an empty frame has nothing to draw";
    frame->setSize(540, 240);
    frame->setBackgroundColor(CColor(59, 59, 59, 255));
    CTextLabel* label = new CTextLabel(CRect(20, 198, 520, 222), "GUI Init");
    label->setFontColor(CColor(183, 183, 183, 255));
    label->setBackColor(kTransparentCColor);
    label->setFrameColor(kTransparentCColor);
    label->setHoriAlign(kLeftText);
    label->setFont(kNormalFontVeryBig);
    frame->addView(label);

    const std::string path = std::string(ORV_TOOLKIT_TEST_TMP) + "/frame.png";
    std::remove(path.c_str());
    EXPECT_TRUE(view.savePNG(path));
    EXPECT_FALSE(frame->getPlatformView()->needsRedraw());
    EXPECT_EQ(view.getPixel(5, 5), CColor(59, 59, 59, 255));
    int textPixels = 0;
    for (int y = 198; y < 222; ++y)
        for (int x = 20; x < 200; ++x)
            if (view.getPixel(x, y) != CColor(59, 59, 59, 255)) ++textPixels;
    EXPECT_GT(textPixels, 50);

    ImageSurface saved;
    ASSERT_TRUE(saved.loadPNG(path));
    EXPECT_EQ(saved.getWidth(), 540);
    EXPECT_EQ(saved.getHeight(), 240);
    EXPECT_EQ(saved.getPixel(5, 5), CColor(59, 59, 59, 255));

    frame->forget();
    EXPECT_FALSE(view.hasFrame());
    EXPECT_FALSE(view.render());
}

TEST(PlatformView, ChangedViewsAreRedrawnAfterTimePasses)
{
    FrameTableHost host;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 40), host.getNativeHandle(), nullptr);
    ASSERT_NE(frame->getPlatformView(), nullptr);
    PlatformView& view = *frame->getPlatformView();
    CTextLabel* label = new CTextLabel(CRect(0, 0, 100, 40), "");
    label->setBackColor(kBlackCColor);
    label->setFontColor(kRedCColor);
    frame->addView(label);
    view.render();
    EXPECT_FALSE(view.needsRedraw());
    EXPECT_EQ(view.getPixel(50, 20), kBlackCColor);

    label->setText("XXXXXXXXXXXXXXXXXX");
    EXPECT_FALSE(view.needsRedraw()) << "marked dirty, drawn at the next idle";
    view.advanceTime(10);
    EXPECT_TRUE(view.needsRedraw());
    EXPECT_EQ(view.getInvalidRect(), CRect(0, 0, 100, 40));
    EXPECT_TRUE(view.renderIfNeeded());
    EXPECT_FALSE(view.renderIfNeeded());
    int red = 0;
    for (int x = 0; x < 100; ++x)
        red += view.getPixel(x, 20).red > 128 ? 1 : 0;
    EXPECT_GT(red, 5);
    frame->forget();
}

TEST(PlatformView, OneFrameAtATimeAndTheFrameIsToldWhenTheViewGoesFirst)
{
    struct CountingFrame : CFrame
    {
        using CFrame::CFrame;
        void platformViewClosed() override
        {
            ++closed;
            CFrame::platformViewClosed();
        }
        int closed = 0;
    };
    auto* frame = new CountingFrame(CRect(0, 0, 20, 20), nullptr, nullptr);
    auto* intruder = new CountingFrame(CRect(0, 0, 5, 5), nullptr, nullptr);
    auto* view = new PlatformView;
    ASSERT_TRUE(view->attachFrame(frame, CRect(0, 0, 20, 20)));
    EXPECT_FALSE(view->attachFrame(intruder, CRect(0, 0, 5, 5))) << "the view is occupied";
    delete view;
    EXPECT_EQ(frame->closed, 1);
    EXPECT_EQ(intruder->closed, 0);
    frame->invalid();
    frame->drawRect(nullptr, CRect(0, 0, 20, 20)); // nowhere to draw: no effect
    intruder->forget();
    frame->forget();
}

TEST(PlatformView, KeysWithoutAnEntryGoToTheFocusView)
{
    struct KeyView : CView
    {
        using CView::CView;
        int32_t onKeyDown(VstKeyCode& key) override
        {
            keys += static_cast<char>(key.character);
            return 1;
        }
        std::string keys;
    };
    FrameTableHost view;
    CFrame* frame = new CFrame(CRect(0, 0, 20, 20), view.getNativeHandle(), nullptr);
    auto* target = new KeyView(CRect(0, 0, 10, 10));
    frame->addView(target);
    EXPECT_FALSE(view.typeText("a")) << "nobody has the focus";
    frame->setFocusView(target);
    EXPECT_TRUE(view.typeText("ok"));
    EXPECT_EQ(target->keys, "ok");
    frame->forget();
}

namespace
{
// Draws a plus the way a vector-drawn button of an editor does.
class PlusButton : public CKickButton
{
public:
    PlusButton(const CRect& size) : CKickButton(size, nullptr, 41, 10.0, nullptr) {}
    void draw(CDrawContext* context) override
    {
        const CColor colour =
            getValue() > 0.5f ? CColor(183, 183, 183, 255) : CColor(102, 153, 213, 255);
        context->setFrameColor(colour);
        context->setFillColor(colour);
        context->setLineWidth(2.0);
        context->setDrawMode(kAntiAliasing);
        const CCoord w = size.width();
        const CCoord h = size.height();
        const CCoord cx = size.left + 0.5 * w;
        const CCoord cy = size.top + 0.5 * h;
        context->moveTo(CPoint(cx - 0.4 * w, cy));
        context->lineTo(CPoint(cx + 0.4 * w, cy));
        context->moveTo(CPoint(cx, cy - 0.4 * h));
        context->lineTo(CPoint(cx, cy + 0.4 * h));
        setDirty(false);
    }
};
} // namespace

TEST(PlatformView, ViewsDrawAtTheirPlaceInTheFrameAndRedrawWhenPressed)
{
    FrameTableHost view;
    CFrame* frame = new CFrame(CRect(0, 0, 540, 240), view.getNativeHandle(), nullptr);
    frame->setBackgroundColor(CColor(59, 59, 59, 255));
    // Inside a nested container, to check that offsets add up.
    CViewContainer* row = new CViewContainer(CRect(300, 100, 400, 150));
    row->setBackgroundColor(CColor(59, 59, 59, 255));
    PlusButton* plus = new PlusButton(CRect(16, 20, 26, 30)); // (316, 120) in the frame
    row->addView(plus);
    frame->addView(row);
    ASSERT_TRUE(view.render());

    const CColor blue(102, 153, 213, 255);
    const CColor back(59, 59, 59, 255);
    EXPECT_EQ(view.getPixel(320, 124), blue) << "horizontal stroke (317..325, 125)";
    EXPECT_EQ(view.getPixel(324, 125), blue);
    EXPECT_EQ(view.getPixel(320, 122), blue) << "vertical stroke (321, 121..129)";
    EXPECT_EQ(view.getPixel(321, 128), blue);
    EXPECT_EQ(view.getPixel(318, 122), back);
    EXPECT_EQ(view.getPixel(316, 125), back);

    // Holding it down turns it grey once the frame has redrawn.
    view.mouseDown(CPoint(320, 125), kLButton);
    EXPECT_TRUE(frame->getPlatformView()->needsRedraw());
    view.render();
    EXPECT_EQ(view.getPixel(320, 124), CColor(183, 183, 183, 255));
    view.mouseUp(CPoint(320, 125), 0);
    view.render();
    EXPECT_EQ(view.getPixel(320, 124), blue);
    frame->forget();
}

TEST(PlatformView, ListenerClosingTheEditorDuringAClickIsSafe)
{
    struct Closer : CControlListener
    {
        void valueChanged(CControl*) override
        {
            if (frame) frame->forget(); // the host closes the window from inside the event
            frame = nullptr;
        }
        CFrame* frame = nullptr;
    } closer;
    FrameTableHost view;
    closer.frame = new CFrame(CRect(0, 0, 100, 100), view.getNativeHandle(), nullptr);
    closer.frame->addView(new COnOffButton(CRect(0, 0, 50, 50), &closer, 1));
    view.click(CPoint(10, 10));
    EXPECT_EQ(closer.frame, nullptr);
    EXPECT_FALSE(view.hasFrame());
    EXPECT_FALSE(view.click(CPoint(10, 10)));
}
