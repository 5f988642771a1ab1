#include "COffscreenContext.h"
#include "COptionMenu.h"
#include "CParamDisplay.h"
#include "CTextLabel.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace VSTGUI;

namespace
{
struct Forget
{
    void operator()(CBaseObject* object) const { object->forget(); }
};

// Draws `view` on a grey 100 x 30 image and returns the image.
std::unique_ptr<COffscreenContext, Forget> drawOnGrey(CView* view)
{
    std::unique_ptr<COffscreenContext, Forget> context(COffscreenContext::create(nullptr, 100, 30));
    context->setFillColor(kGreyCColor);
    context->drawRect(CRect(0, 0, 100, 30), kDrawFilled);
    view->draw(context.get());
    return context;
}

// Pixels where red text shows: clearly redder than the grey or black below it.
int countRedInk(COffscreenContext* context)
{
    int n = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
        {
            const CColor c = context->getPixel(x, y);
            n += c.red > c.green + 40 ? 1 : 0;
        }
    return n;
}

int countColour(COffscreenContext* context, const CColor& colour)
{
    int n = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            n += context->getPixel(x, y) == colour ? 1 : 0;
    return n;
}
} // namespace

TEST(CParamDisplay, ShowsTheValueWithTwoDecimalsOrThroughItsConverter)
{
    CParamDisplay* display = new CParamDisplay(CRect(0, 0, 100, 30));
    display->setValue(0.5f);
    display->setFontColor(kRedCColor);
    EXPECT_GT(countRedInk(drawOnGrey(display).get()), 10);
    EXPECT_FALSE(display->isDirty()) << "drawing takes the value as shown";

    // A converter that fills the whole buffer is cut to it.
    display->setValueToStringFunction(
        [](float, char text[256], CParamDisplay*)
        {
            std::memset(text, 'W', 256);
            return true;
        });
    EXPECT_GT(countRedInk(drawOnGrey(display).get()), 10);
    display->setStringConvert(nullptr);
    display->forget();
}

TEST(CParamDisplay, BackgroundFrameAndStylesFollowTheColours)
{
    CTextLabel* label = new CTextLabel(CRect(10, 5, 90, 25), "");
    label->setBackColor(kBlueCColor);
    label->setFrameColor(kYellowCColor);
    auto drawn = drawOnGrey(label);
    EXPECT_EQ(drawn->getPixel(50, 15), kBlueCColor);
    EXPECT_EQ(drawn->getPixel(10, 5), kYellowCColor) << "frame on the outer pixels";
    EXPECT_EQ(drawn->getPixel(89, 24), kYellowCColor);
    EXPECT_EQ(drawn->getPixel(90, 25), kGreyCColor);

    label->setBackColor(kTransparentCColor);
    label->setFrameColor(kTransparentCColor);
    drawn = drawOnGrey(label);
    EXPECT_EQ(countColour(drawn.get(), kGreyCColor), 100 * 30) << "nothing but the parent";

    label->setFrameColor(kWhiteCColor);
    label->setStyle(k3DIn);
    drawn = drawOnGrey(label);
    EXPECT_EQ(drawn->getPixel(89, 24), kWhiteCColor) << "lit bottom-right edge";
    EXPECT_EQ(drawn->getPixel(10, 5), CColor(127, 127, 127, 255)) << "shaded top-left edge";

    label->setStyle(kNoFrame);
    EXPECT_EQ(countColour(drawOnGrey(label).get(), kGreyCColor), 100 * 30);
    label->forget();
}

TEST(CTextLabel, TextIsAlignedInsideTheLabelAndChangesMarkItDirty)
{
    CTextLabel* label = new CTextLabel(CRect(0, 0, 100, 30), "Hz");
    label->setBackColor(kTransparentCColor);
    label->setFrameColor(kTransparentCColor);
    label->setFontColor(kBlackCColor);
    label->setFont(kNormalFontVeryBig);
    label->setAntialias(false);

    auto inkColumns = [](COffscreenContext* c)
    {
        int first = 100, last = -1;
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 30; ++y)
                if (c->getPixel(x, y) == kBlackCColor)
                    first = std::min(first, x), last = std::max(last, x);
        return std::make_pair(first, last);
    };
    label->setHoriAlign(kLeftText);
    const auto left = inkColumns(drawOnGrey(label).get());
    label->setHoriAlign(kRightText);
    const auto right = inkColumns(drawOnGrey(label).get());
    label->setHoriAlign(kCenterText);
    const auto centre = inkColumns(drawOnGrey(label).get());
    EXPECT_LT(left.first, 4);
    EXPECT_GT(right.second, 94);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 50, 3);

    EXPECT_FALSE(label->isDirty());
    label->setText("Hz");
    EXPECT_FALSE(label->isDirty()) << "same text";
    label->setText(nullptr);
    EXPECT_TRUE(label->isDirty());
    EXPECT_STREQ(label->getText(), "");
    EXPECT_EQ(countColour(drawOnGrey(label).get(), kBlackCColor), 0);
    label->forget();
}

TEST(COptionMenu, ShowsTheTitleOfTheCurrentEntry)
{
    RecordingListener listener;
    COptionMenu* menu = new COptionMenu(CRect(0, 0, 100, 30), &listener, 21);
    menu->setFontColor(kRedCColor);
    EXPECT_EQ(countRedInk(drawOnGrey(menu).get()), 0) << "no entries, no text";
    menu->addEntry("I");
    menu->addEntry("WWWWWW");
    const int narrow = countRedInk(drawOnGrey(menu).get());
    menu->setValue(1.f);
    const int wide = countRedInk(drawOnGrey(menu).get());
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, 3 * narrow);
    menu->forget();
}
