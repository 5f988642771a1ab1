#pragma once

#include "CButtonState.h"

#include <cstdint>

namespace VSTGUI
{

class CControl;

// Receives a control's changes. valueChanged comes after every change made by the user;
// controlBeginEdit and controlEndEdit bracket each gesture and always come in pairs.
class CControlListener
{
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    // Non-zero when the listener handled a click with modifier keys itself.
    virtual int32_t controlModifierClicked(CControl* /*control*/, CButtonState /*button*/)
    {
        return 0;
    }
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
    virtual void controlTagWillChange(CControl* /*control*/) {}
    virtual void controlTagDidChange(CControl* /*control*/) {}
};

} // namespace VSTGUI
