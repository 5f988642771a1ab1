#pragma once

#include "AAX.h"
#include "CButtonState.h"

class AAX_IViewContainer;
namespace VSTGUI
{
class CControl;
}

// What every parameter-bound control of the editor adds to its toolkit control: the
// parameter it shows and the host's view container, so that each mouse event is offered to
// the host first (the host may take it, for automation or a control surface), and the
// default-value click. Both pointers are borrowed and start null.
class DemoGain_ParameterBinding
{
public:
    enum class MouseStage
    {
        Down,
        Drag,
        Up,
    };

    void SetViewContainer(AAX_IViewContainer* container) { viewContainer = container; }
    // id: zero-terminated, must outlive the control (a literal or an identifier table entry).
    void SetParamID(const char* id) { paramID = id; }

protected:
    // True when the host took the event: then the toolkit must not handle it. The host is
    // asked only with both a container and an identifier, and about a drag only while the
    // left button (of the event's own state) is down.
    bool OfferToHost(MouseStage stage, const VSTGUI::CButtonState& buttons,
                     uint32 hostModifiers) const;
    // A drag's state for the toolkit: Command also holds Shift.
    static VSTGUI::CButtonState DragState(uint32 buttonState);
    // The default-value click (left button with Option, nothing else): restores value to the
    // control's default inside an edit bracket and tells the listener if it changed.
    static bool RestoreDefault(VSTGUI::CControl& control, float& value,
                               const VSTGUI::CButtonState& button);

    AAX_IViewContainer* viewContainer = nullptr;
    const char* paramID = nullptr;
};
