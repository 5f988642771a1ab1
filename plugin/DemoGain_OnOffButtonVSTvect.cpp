#include "DemoGain_OnOffButtonVSTvect.h"

#include "AAX_CVSTGUIButtonState.h"
#include "CDrawContext.h"
#include "DemoGain_Colors.h"

using namespace VSTGUI;

namespace
{

constexpr CCoord kStrokeWidth = 3.0;
// The check mark's corners, as parts of the box's width and height from its edges.
constexpr CCoord kMarkInset = 0.2;

} // namespace

DemoGain_OnOffButtonVSTvect::DemoGain_OnOffButtonVSTvect(const CRect& size,
                                                         CControlListener* listener, long tag,
                                                         CBitmap* background, int32_t style)
    : COnOffButton(size, listener, static_cast<int32_t>(tag), background, style)
{
}

DemoGain_OnOffButtonVSTvect::~DemoGain_OnOffButtonVSTvect() = default;

void DemoGain_OnOffButtonVSTvect::draw(CDrawContext* context)
{
    if (!context) return;
    context->setFrameColor(DemoGain_Colors::kGrey);
    context->setFillColor(DemoGain_Colors::kGrey);
    context->setLineWidth(kStrokeWidth);
    context->setDrawMode(kAntiAliasing);
    context->drawRect(size, kDrawStroked);
    if (getValue() > 0.5f)
    {
        const CCoord w = size.width();
        const CCoord h = size.height();
        context->setFrameColor(DemoGain_Colors::kBlue);
        context->setFillColor(DemoGain_Colors::kBlue);
        context->moveTo(CPoint(size.left + kMarkInset * w, size.top + 0.5 * h));
        context->lineTo(CPoint(size.left + 0.5 * w, size.bottom - kMarkInset * h));
        context->lineTo(CPoint(size.right - kMarkInset * w, size.top + kMarkInset * h));
    }
    setDirty(false);
}

CMouseEventResult DemoGain_OnOffButtonVSTvect::onMouseDown(CPoint& where,
                                                           const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Down, buttons, state.hostModifiers)) return kMouseEventHandled;
    return COnOffButton::onMouseDown(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_OnOffButtonVSTvect::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Up, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CView::onMouseUp(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_OnOffButtonVSTvect::onMouseMoved(CPoint& where,
                                                            const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Drag, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CView::onMouseMoved(where, DragState(state.buttonState));
}

bool DemoGain_OnOffButtonVSTvect::checkDefaultValue(CButtonState button)
{
    return RestoreDefault(*this, value, button);
}
