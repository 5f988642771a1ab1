#include "CKickButton.h"

#include "CBitmap.h"

namespace VSTGUI
{

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                         CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, size.height(), background, offset)
{
}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), heightOfOneImage(heightOfOneImage)
{
    setWantsFocus(false);
}

void CKickButton::draw(CDrawContext* context)
{
    CPoint where(offset);
    bounceValue();
    if (value == getMax()) where.y += heightOfOneImage;
    if (pBackground) pBackground->draw(context, size, where);
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    entryState = value;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    // Only a press that started here moves the button (a host may have taken the down).
    if (isEditing() && buttons.isLeftButton())
    {
        value = size.pointInside(where) ? getMax() : getMin();
        if (isDirty()) invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing()) return kMouseEventHandled; // an up without our down: nothing to finish
    if (value > getMin()) valueChanged();
    value = getMin();
    valueChanged();
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

} // namespace VSTGUI
