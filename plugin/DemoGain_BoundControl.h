#pragma once

#include "AAX_CVSTGUIButtonState.h"
#include "DemoGain_ParameterBinding.h"

// A toolkit control bound to a parameter: every mouse event is offered to the host first,
// and reaches the control only when the host leaves it, with the host's modifiers added.
// Each event reaches Control's own handler. The kick buttons override all three (a press is
// tracked through drags and fires on release); the on/off button and the option menu act on
// the press alone and inherit release and drag from CView, which ignores them.
template <class Control>
class DemoGain_BoundControl : public Control, public DemoGain_ParameterBinding
{
public:
    using Control::Control;

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override
    {
        return Offer(MouseStage::Down, buttons,
                     [&](uint32 state) { return Control::onMouseDown(where, PressState(state)); });
    }

    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override
    {
        return Offer(MouseStage::Up, buttons,
                     [&](uint32 state) { return Control::onMouseUp(where, PressState(state)); });
    }

    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override
    {
        return Offer(MouseStage::Drag, buttons,
                     [&](uint32 state) { return Control::onMouseMoved(where, DragState(state)); });
    }

    bool checkDefaultValue(VSTGUI::CButtonState button) override
    {
        return RestoreDefault(*this, this->value, button);
    }

private:
    // Handled when the host takes the event; otherwise toControl's answer, given the
    // toolkit state with the host's modifiers.
    template <class ToControl>
    VSTGUI::CMouseEventResult Offer(MouseStage stage, const VSTGUI::CButtonState& buttons,
                                    ToControl toControl)
    {
        const AAX_CVSTGUIButtonState state(buttons, viewContainer);
        if (OfferToHost(stage, buttons, state.hostModifiers)) return VSTGUI::kMouseEventHandled;
        return toControl(state.buttonState);
    }

    static VSTGUI::CButtonState PressState(uint32 state)
    {
        return VSTGUI::CButtonState(static_cast<int32_t>(state));
    }
};
