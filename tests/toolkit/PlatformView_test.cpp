#include "CFrame.h"
#include "CTextLabel.h"
#include "ImageSurface.h"
#include "PlatformView.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace VSTGUI;

TEST(PlatformView, NativeHandleIsCheckedBeforeUse)
{
    PlatformView view;
    EXPECT_EQ(PlatformView::fromNativeHandle(view.getNativeHandle()), &view);
    EXPECT_EQ(PlatformView::fromNativeHandle(nullptr), nullptr);
    uint64_t notAView[8] = {0};
    EXPECT_EQ(PlatformView::fromNativeHandle(notAView), nullptr);

    // A frame handed something else draws nowhere but works.
    CFrame* frame = new CFrame(CRect(0, 0, 10, 10), notAView, nullptr);
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    frame->forget();
}

TEST(PlatformView, RendersTheFrameAndSavesItAsPng)
{
    PlatformView view;
    EXPECT_FALSE(view.render()) << "no frame yet";
    EXPECT_FALSE(view.savePNG(std::string(ORV_TOOLKIT_TEST_TMP) + "/none.png"));

    CFrame* frame = new CFrame(CRect(0, 0, 0, 0), view.getNativeHandle(), nullptr);
    EXPECT_TRUE(view.hasFrame());
    EXPECT_EQ(frame->getPlatformView(), &view);
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
    EXPECT_FALSE(view.needsRedraw());
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

    // A second frame cannot move into an occupied view.
    CFrame* intruder = new CFrame(CRect(0, 0, 5, 5), view.getNativeHandle(), nullptr);
    EXPECT_EQ(intruder->getPlatformView(), nullptr);
    intruder->forget();
    EXPECT_TRUE(view.hasFrame());

    frame->forget();
    EXPECT_FALSE(view.hasFrame());
    EXPECT_FALSE(view.render());
}

TEST(PlatformView, ChangedViewsAreRedrawnAfterTimePasses)
{
    PlatformView view;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 40), view.getNativeHandle(), nullptr);
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

TEST(PlatformView, ViewDestroyedBeforeItsFrameIsForgotten)
{
    auto* view = new PlatformView;
    CFrame* frame = new CFrame(CRect(0, 0, 20, 20), view->getNativeHandle(), nullptr);
    delete view;
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    frame->invalid();
    frame->drawRect(nullptr, CRect(0, 0, 20, 20)); // nowhere to draw: no effect
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
    PlatformView view;
    CFrame* frame = new CFrame(CRect(0, 0, 20, 20), view.getNativeHandle(), nullptr);
    auto* target = new KeyView(CRect(0, 0, 10, 10));
    frame->addView(target);
    EXPECT_FALSE(view.typeText("a")) << "nobody has the focus";
    frame->setFocusView(target);
    EXPECT_TRUE(view.typeText("ok"));
    EXPECT_EQ(target->keys, "ok");
    frame->forget();
}
