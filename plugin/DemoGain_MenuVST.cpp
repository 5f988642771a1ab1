#include "DemoGain_MenuVST.h"

#include "AAX_CVSTGUIButtonState.h"

using namespace VSTGUI;

DemoGain_MenuVST::DemoGain_MenuVST(const CRect& size, CControlListener* listener, int32_t tag,
                                   CBitmap* background, CBitmap* backgroundWhenClicked,
                                   int32_t style)
    : COptionMenu(size, listener, tag, background, backgroundWhenClicked, style)
{
}

DemoGain_MenuVST::~DemoGain_MenuVST() = default;

CMouseEventResult DemoGain_MenuVST::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Down, buttons, state.hostModifiers)) return kMouseEventHandled;
    return COptionMenu::onMouseDown(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_MenuVST::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Up, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CView::onMouseUp(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_MenuVST::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Drag, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CView::onMouseMoved(where, DragState(state.buttonState));
}

bool DemoGain_MenuVST::checkDefaultValue(CButtonState button)
{
    return RestoreDefault(*this, value, button);
}
