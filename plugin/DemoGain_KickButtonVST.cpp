#include "DemoGain_KickButtonVST.h"

#include "AAX_CVSTGUIButtonState.h"

using namespace VSTGUI;

DemoGain_KickButtonVST::DemoGain_KickButtonVST(const CRect& size, CControlListener* listener,
                                               long tag, double heightOfOneImage,
                                               CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, static_cast<int32_t>(tag), heightOfOneImage, background, offset)
{
}

DemoGain_KickButtonVST::~DemoGain_KickButtonVST() = default;

CMouseEventResult DemoGain_KickButtonVST::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Down, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CKickButton::onMouseDown(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_KickButtonVST::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Up, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CKickButton::onMouseUp(where, CButtonState(static_cast<int32_t>(state.buttonState)));
}

CMouseEventResult DemoGain_KickButtonVST::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    const AAX_CVSTGUIButtonState state(buttons, viewContainer);
    if (OfferToHost(MouseStage::Drag, buttons, state.hostModifiers)) return kMouseEventHandled;
    return CKickButton::onMouseMoved(where, DragState(state.buttonState));
}

bool DemoGain_KickButtonVST::checkDefaultValue(CButtonState button)
{
    return RestoreDefault(*this, value, button);
}
