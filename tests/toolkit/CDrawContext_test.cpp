#include "COffscreenContext.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VSTGUI;

namespace
{
struct Forget
{
    void operator()(CBaseObject* object) const { object->forget(); }
};
typedef std::unique_ptr<COffscreenContext, Forget> ContextPtr;

const CColor kBlue(102, 153, 213, 255);
const CColor kGrey(183, 183, 183, 255);

ContextPtr whiteContext(CCoord width, CCoord height)
{
    ContextPtr context(COffscreenContext::create(nullptr, width, height));
    context->setFillColor(kWhiteCColor);
    context->drawRect(CRect(0, 0, width, height), kDrawFilled);
    return context;
}

bool isPureColour(const CColor& c, const CColor& a, const CColor& b)
{
    return c == a || c == b;
}

// Calls visit(x, y) for every pixel of a width x height picture, row by row.
template <class Visit> void forEachPixel(int width, int height, Visit visit)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            visit(x, y);
}

struct Pixel
{
    int x;
    int y;
    CColor colour;
};

// Each listed pixel holds its colour.
void expectPixels(const COffscreenContext& picture, std::initializer_list<Pixel> pixels)
{
    for (const Pixel& pixel : pixels)
        EXPECT_EQ(picture.getPixel(pixel.x, pixel.y), pixel.colour) << pixel.x << "," << pixel.y;
}

// Every pixel of the picture is one of the two colours: nothing blended.
void expectOnlyColours(const COffscreenContext& picture, int width, int height, const CColor& a,
                       const CColor& b)
{
    forEachPixel(width, height,
                 [&](int x, int y)
                 { EXPECT_TRUE(isPureColour(picture.getPixel(x, y), a, b)) << x << "," << y; });
}
} // namespace

TEST(CDrawContext, AntiAliasedLineOfWidthTwoCoversTheTwoRowsAroundIt)
{
    // A minus sign of a 10 x 10 button at (316, 120): 80 % of its width, 2 pixels thick.
    ContextPtr context = whiteContext(400, 200);
    context->setFrameColor(kBlue);
    context->setLineWidth(2.0);
    context->setDrawMode(kAntiAliasing);
    context->moveTo(CPoint(317, 125));
    context->lineTo(CPoint(325, 125));

    for (int x = 317; x < 325; ++x)
    {
        EXPECT_EQ(context->getPixel(x, 124), kBlue) << "x " << x;
        EXPECT_EQ(context->getPixel(x, 125), kBlue) << "x " << x;
        EXPECT_EQ(context->getPixel(x, 123), kWhiteCColor) << "x " << x;
        EXPECT_EQ(context->getPixel(x, 126), kWhiteCColor) << "x " << x;
    }
    EXPECT_EQ(context->getPixel(316, 125), kWhiteCColor) << "butt ends: no overshoot";
    EXPECT_EQ(context->getPixel(325, 125), kWhiteCColor);
}

TEST(CDrawContext, AliasedDrawingHasHardEdgesAndOnePixelLinesOnWholePixels)
{
    ContextPtr hard = whiteContext(60, 40);
    hard->setFrameColor(kBlackCColor);
    hard->setDrawMode(kAliasing);
    hard->setLineWidth(1);
    hard->drawLine(CPoint(2, 2), CPoint(55, 33));
    hard->drawLine(CPoint(0, 20), CPoint(60, 20));

    ContextPtr soft = whiteContext(60, 40);
    soft->setFrameColor(kBlackCColor);
    soft->setDrawMode(kAntiAliasing);
    soft->drawLine(CPoint(2, 2), CPoint(55, 33));

    expectOnlyColours(*hard, 60, 40, kWhiteCColor, kBlackCColor);
    int hardInk = 0;
    int softGreys = 0;
    forEachPixel(60, 40,
                 [&](int x, int y)
                 {
                     if (hard->getPixel(x, y) == kBlackCColor && y != 20) ++hardInk;
                     const CColor s = soft->getPixel(x, y);
                     if (!isPureColour(s, kWhiteCColor, kBlackCColor)) ++softGreys;
                 });
    EXPECT_GT(hardInk, 40) << "the diagonal is drawn";
    EXPECT_GT(softGreys, 20) << "anti-aliasing blends the edges";
    for (int x = 0; x < 60; ++x)
        EXPECT_EQ(hard->getPixel(x, 20), kBlackCColor);

    // Both end pixels belong to an aliased line, and nothing beyond them.
    hard->setFrameColor(kRedCColor);
    hard->drawLine(CPoint(30, 5), CPoint(40, 5));
    EXPECT_EQ(hard->getPixel(30, 5), kRedCColor);
    EXPECT_EQ(hard->getPixel(40, 5), kRedCColor);
    EXPECT_EQ(hard->getPixel(29, 5), kWhiteCColor);
    EXPECT_EQ(hard->getPixel(41, 5), kWhiteCColor);
    for (int x = 0; x < 25; ++x) // left of where the diagonal crosses
    {
        EXPECT_EQ(hard->getPixel(x, 19), kWhiteCColor) << "exactly one row";
        EXPECT_EQ(hard->getPixel(x, 21), kWhiteCColor) << "exactly one row";
    }
}

TEST(CDrawContext, RectanglesStrokeTheirOuterPixelsAndFillTheirArea)
{
    ContextPtr context = whiteContext(40, 40);
    context->setFrameColor(kRedCColor);
    context->setFillColor(kGreenCColor);
    context->drawRect(CRect(10, 10, 20, 20), kDrawFilledAndStroked);
    expectPixels(*context, {{10, 10, kRedCColor},
                            {19, 19, kRedCColor},
                            {19, 10, kRedCColor},
                            {15, 15, kGreenCColor},
                            {20, 20, kWhiteCColor},
                            {9, 15, kWhiteCColor}});

    context->setFillColor(kBlueCColor);
    context->drawRect(CRect(25, 25, 30, 28), kDrawFilled);
    expectPixels(*context, {{25, 25, kBlueCColor},
                            {29, 27, kBlueCColor},
                            {30, 27, kWhiteCColor},
                            {29, 28, kWhiteCColor}});
}

TEST(CDrawContext, PolygonsStrokeAsOpenPolylinesAndFillClosed)
{
    // The check mark of a 20 x 20 box at (40, 80).
    ContextPtr context = whiteContext(100, 120);
    context->setFrameColor(kBlue);
    context->setLineWidth(3.0);
    context->setDrawMode(kAntiAliasing);
    const CPoint mark[] = {CPoint(44, 90), CPoint(50, 96), CPoint(56, 84)};
    context->drawPolygon(mark, 3, kDrawStroked);
    EXPECT_EQ(context->getPixel(47, 93), kBlue);
    EXPECT_EQ(context->getPixel(53, 90), kBlue);
    EXPECT_EQ(context->getPixel(50, 86), kWhiteCColor) << "not closed back to the start";

    context->setFillColor(kRedCColor);
    context->setDrawMode(kAliasing);
    const std::vector<CPoint> triangle = {CPoint(10, 10), CPoint(30, 10), CPoint(10, 30)};
    context->drawPolygon(triangle, kDrawFilled);
    EXPECT_EQ(context->getPixel(13, 13), kRedCColor);
    EXPECT_EQ(context->getPixel(28, 28), kWhiteCColor);
    context->drawPolygon(triangle.data(), 1, kDrawFilled); // too few points: ignored
    context->drawPolygon(nullptr, 3, kDrawFilled);
}

TEST(CDrawContext, TextInTheFontColourInsideItsRectangle)
{
    ContextPtr context = whiteContext(300, 60);
    context->setFont(kNormalFontVeryBig);
    context->setFontColor(kRedCColor);
    const CRect box(20, 18, 280, 42);
    context->drawString("Orvendal QV (ver.1.0)", box, kLeftText, true);

    int ink = 0;
    int outside = 0;
    CCoord rightmost = 0;
    forEachPixel(300, 60,
                 [&](int x, int y)
                 {
                     const CColor c = context->getPixel(x, y);
                     if (c == kWhiteCColor) return;
                     EXPECT_TRUE(c.red == 255 && c.green == c.blue) << "only shades of red";
                     if (box.pointInside(CPoint(x, y)))
                         ++ink, rightmost = std::max<CCoord>(rightmost, x);
                     else
                         ++outside;
                 });
    EXPECT_GT(ink, 200);
    EXPECT_EQ(outside, 0);
    const CCoord width = context->getStringWidth("Orvendal QV (ver.1.0)");
    EXPECT_GT(width, 120) << "18-pixel Arial metrics";
    EXPECT_LT(width, 260);
    EXPECT_NEAR(rightmost, box.left + width, 3);

    // Without anti-aliasing the text is one pure colour; right alignment ends at the edge.
    ContextPtr plain = whiteContext(300, 60);
    plain->setFont(kNormalFontVeryBig);
    plain->setFontColor(kRedCColor);
    plain->drawString("Range", box, kRightText, false);
    expectOnlyColours(*plain, 300, 60, kWhiteCColor, kRedCColor);
    int leftmost = 300;
    int last = 0;
    forEachPixel(300, 60,
                 [&](int x, int y)
                 {
                     if (plain->getPixel(x, y) == kRedCColor)
                         leftmost = std::min(leftmost, x), last = std::max(last, x);
                 });
    EXPECT_GT(leftmost, 200);
    EXPECT_GE(last, 272);
    EXPECT_LT(last, 280);
}

TEST(CDrawContext, ClipOffsetAndSavedStatesRestore)
{
    ContextPtr context = whiteContext(50, 50);
    context->saveGlobalState();
    context->setClipRect(CRect(0, 0, 10, 10));
    context->setOffset(CPoint(5, 5));
    context->setFillColor(kBlackCColor);
    context->drawRect(CRect(0, 0, 20, 20), kDrawFilled);
    context->restoreGlobalState();
    EXPECT_EQ(context->getPixel(5, 5), kBlackCColor) << "drawn through the offset";
    EXPECT_EQ(context->getPixel(9, 9), kBlackCColor);
    EXPECT_EQ(context->getPixel(10, 10), kWhiteCColor) << "clipped";
    EXPECT_EQ(context->getPixel(4, 4), kWhiteCColor);
    EXPECT_EQ(context->getFillColor(), kWhiteCColor) << "state restored";
    EXPECT_EQ(context->getOffset(), CPoint(0, 0));

    context->restoreGlobalState(); // more restores than saves: ignored
    EXPECT_EQ(COffscreenContext::create(nullptr, 0, 10), nullptr);
    EXPECT_EQ(COffscreenContext::create(nullptr, 1e9, 10), nullptr);
}
