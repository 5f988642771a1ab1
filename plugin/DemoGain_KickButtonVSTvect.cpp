#include "DemoGain_KickButtonVSTvect.h"

#include "CDrawContext.h"
#include "DemoGain_Colors.h"
#include "DemoGain_Pen.h"

using namespace VSTGUI;

namespace
{

constexpr CCoord kStrokeWidth = 2.0;
// Each stroke spans this part of the button's width or height on either side of its centre.
constexpr CCoord kHalfSpan = 0.4;

} // namespace

DemoGain_KickButtonVSTvect::DemoGain_KickButtonVSTvect(const CRect& size,
                                                       CControlListener* listener, long tag,
                                                       double heightOfOneImage, CBitmap* background,
                                                       const CPoint& offset)
    : DemoGain_BoundControl(size, listener, static_cast<int32_t>(tag), heightOfOneImage, background,
                            offset)
{
}

DemoGain_KickButtonVSTvect::~DemoGain_KickButtonVSTvect() = default;

void DemoGain_KickButtonVSTvect::setSymbol(int newSymbol)
{
    symbol = newSymbol;
}

void DemoGain_KickButtonVSTvect::draw(CDrawContext* context)
{
    if (!context) return;
    const DemoGain_Pen pen{getValue() > 0.5f ? DemoGain_Colors::kGrey : DemoGain_Colors::kBlue,
                           kStrokeWidth};
    pen.ApplyTo(*context);
    const CCoord w = size.width();
    const CCoord h = size.height();
    const CCoord cx = size.left + 0.5 * w;
    const CCoord cy = size.top + 0.5 * h;
    context->moveTo(CPoint(cx - kHalfSpan * w, cy));
    context->lineTo(CPoint(cx + kHalfSpan * w, cy));
    if (symbol != kMinus)
    {
        context->moveTo(CPoint(cx, cy - kHalfSpan * h));
        context->lineTo(CPoint(cx, cy + kHalfSpan * h));
    }
    setDirty(false);
}
