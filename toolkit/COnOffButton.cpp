#include "COnOffButton.h"

#include "CBitmap.h"

namespace VSTGUI
{

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style)
{
    setWantsFocus(false);
}

void COnOffButton::draw(CDrawContext* context)
{
    if (pBackground)
    {
        const CCoord off = value == getMax() ? pBackground->getHeight() / 2 : 0;
        pBackground->draw(context, size, CPoint(0, off));
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    remember(); // the listener may remove the button
    beginEdit();
    value = value == getMax() ? getMin() : getMax();
    invalid();
    valueChanged();
    endEdit();
    forget();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
