#include "DemoGain_OnOffButtonVSTvect.h"

#include "CDrawContext.h"
#include "DemoGain_Colors.h"
#include "DemoGain_Pen.h"

using namespace VSTGUI;

namespace
{

constexpr DemoGain_Pen kBoxPen{DemoGain_Colors::kGrey, 3.0};
constexpr DemoGain_Pen kMarkPen{DemoGain_Colors::kBlue, 3.0};
// The check mark's corners, as parts of the box's width and height from its edges.
constexpr CCoord kMarkInset = 0.2;

} // namespace

DemoGain_OnOffButtonVSTvect::DemoGain_OnOffButtonVSTvect(const CRect& size,
                                                         CControlListener* listener, long tag,
                                                         CBitmap* background, int32_t style)
    : DemoGain_BoundControl(size, listener, static_cast<int32_t>(tag), background, style)
{
}

DemoGain_OnOffButtonVSTvect::~DemoGain_OnOffButtonVSTvect() = default;

void DemoGain_OnOffButtonVSTvect::draw(CDrawContext* context)
{
    if (!context) return;
    kBoxPen.ApplyTo(*context);
    context->drawRect(size, kDrawStroked);
    if (getValue() > 0.5f)
    {
        const CCoord w = size.width();
        const CCoord h = size.height();
        kMarkPen.ApplyTo(*context);
        context->moveTo(CPoint(size.left + kMarkInset * w, size.top + 0.5 * h));
        context->lineTo(CPoint(size.left + 0.5 * w, size.bottom - kMarkInset * h));
        context->lineTo(CPoint(size.right - kMarkInset * w, size.top + kMarkInset * h));
    }
    setDirty(false);
}
