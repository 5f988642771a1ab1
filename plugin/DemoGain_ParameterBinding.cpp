#include "DemoGain_ParameterBinding.h"

#include "AAX_Errors.h"
#include "AAX_IViewContainer.h"
#include "CControl.h"
#include "CControlListener.h"

using namespace VSTGUI;

bool DemoGain_ParameterBinding::OfferToHost(MouseStage stage, const CButtonState& buttons,
                                            uint32 hostModifiers) const
{
    if (!viewContainer || !paramID) return false;
    switch (stage)
    {
    case MouseStage::Down:
        return viewContainer->HandleParameterMouseDown(paramID, hostModifiers) == kResultSuccess;
    case MouseStage::Drag:
        if (!buttons.isLeftButton()) return false;
        return viewContainer->HandleParameterMouseDrag(paramID, hostModifiers) == kResultSuccess;
    case MouseStage::Up:
        return viewContainer->HandleParameterMouseUp(paramID, hostModifiers) == kResultSuccess;
    }
    return false;
}

CButtonState DemoGain_ParameterBinding::DragState(uint32 buttonState)
{
    CButtonState state(static_cast<int32_t>(buttonState));
    if (buttonState & kControl) state |= kShift;
    return state;
}

bool DemoGain_ParameterBinding::RestoreDefault(CControl& control, float& value,
                                               const CButtonState& button)
{
    if (button != CButtonState(kLButton | kAlt)) return false;
    control.beginEdit();
    value = control.getDefaultValue();
    if (control.isDirty() && control.getListener()) control.getListener()->valueChanged(&control);
    control.endEdit();
    return true;
}
