#include "CControl.h"

#include "CBitmap.h"
#include "CControlListener.h"
#include "CFrame.h"

namespace VSTGUI
{

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag)
{
    setBackground(background);
    setWantsFocus(true);
}

void CControl::setValue(float val)
{
    if (!(val >= vmin)) // also catches NaN
        val = vmin;
    else if (val > vmax)
        val = vmax;
    value = val;
}

void CControl::setValueNormalized(float val)
{
    if (!(val >= 0.f))
        val = 0.f;
    else if (val > 1.f)
        val = 1.f;
    setValue(vmin + val * getRange());
}

float CControl::getValueNormalized() const
{
    const float range = getRange();
    return range == 0.f ? 0.f : (value - vmin) / range;
}

bool CControl::bounceValue()
{
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
    else
        return false;
    return true;
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (button != CButtonState(kLButton | kAlt)) return false;
    beginEdit();
    value = getDefaultValue();
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return true;
}

void CControl::valueChanged()
{
    if (listener) listener->valueChanged(this);
}

void CControl::beginEdit()
{
    ++editDepth;
    if (listener) listener->controlBeginEdit(this);
    if (CFrame* frame = getFrame()) frame->beginEdit(tag);
}

void CControl::endEdit()
{
    if (editDepth == 0) return; // an end without a begin would unbalance the listener's brackets
    --editDepth;
    if (CFrame* frame = getFrame()) frame->endEdit(tag);
    if (listener) listener->controlEndEdit(this);
}

void CControl::setTag(int32_t val)
{
    if (listener) listener->controlTagWillChange(this);
    tag = val;
    if (listener) listener->controlTagDidChange(this);
}

bool CControl::isDirty() const
{
    return oldValue != value || CView::isDirty();
}

void CControl::setDirty(const bool val)
{
    CView::setDirty(val);
    if (val)
        oldValue = value != -1.f ? -1.f : 0.f; // any value that differs
    else
        oldValue = value;
}

bool CControl::removed(CView* parent)
{
    CFrame* frame = getFrame();
    if (isEditing() && !(frame && frame->isClosing()))
    {
        remember();
        while (isEditing())
            endEdit();
        forget();
    }
    return CView::removed(parent);
}

void CControl::draw(CDrawContext* context)
{
    if (pBackground) pBackground->draw(context, size, backOffset);
    setDirty(false);
}

} // namespace VSTGUI
