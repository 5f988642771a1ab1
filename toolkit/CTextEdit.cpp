#include "CTextEdit.h"

#include "CControlListener.h"
#include "CFrame.h"
#include "PlatformView.h"

namespace VSTGUI
{

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, UTF8StringPtr txt,
                     CBitmap* background, const int32_t style)
    : CTextLabel(size, txt, background, style)
{
    this->listener = listener;
    this->tag = tag;
    setWantsFocus(true);
}

PlatformView* CTextEdit::platformView() const
{
    CFrame* frame = getFrame();
    return frame ? frame->getPlatformView() : nullptr;
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    if (listener && buttons.getModifierState() &&
        listener->controlModifierClicked(this, buttons) != 0)
        return kMouseEventHandled;
    CFrame* frame = getFrame();
    if (frame && frame->getFocusView() != this) frame->setFocusView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t CTextEdit::onKeyDown(VstKeyCode&)
{
    return -1; // keys reach the open entry through the platform view
}

void CTextEdit::takeFocus()
{
    PlatformView* view = platformView();
    if (editing || !view) return;
    CPoint topLeft(size.left, size.top);
    localToFrame(topLeft);
    PlatformTextEditRequest request;
    request.text = text;
    request.where = CRect(topLeft, size.getSize());
    request.client = this;
    editing = view->openTextEdit(request);
    setDirty(true);
}

void CTextEdit::looseFocus()
{
    if (!editing) return;
    editing = false;
    PlatformView* view = platformView();
    if (!view) return;
    updateText(view->closeTextEdit(this));
    setDirty(true);
}

void CTextEdit::updateText(const std::string& newText)
{
    if (newText == text) return;
    remember(); // the listener may remove this field
    beginEdit();
    setText(newText.c_str());
    valueChanged();
    endEdit();
    forget();
}

bool CTextEdit::removed(CView* parent)
{
    if (editing)
    {
        editing = false;
        if (PlatformView* view = platformView()) view->closeTextEdit(this);
    }
    return CTextLabel::removed(parent);
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!editing || (style & kNoDrawStyle))
    {
        CTextLabel::draw(context);
        return;
    }
    // While the entry is open the field shows what is being typed.
    PlatformView* view = platformView();
    drawBack(context);
    drawText(context, view ? view->getEditText() : text);
    setDirty(false);
}

void CTextEdit::platformTextEditReturn()
{
    CFrame* frame = getFrame();
    if (frame && frame->getFocusView() == this)
        frame->setFocusView(nullptr); // looseFocus takes the text
    else
        looseFocus();
}

void CTextEdit::platformTextEditEscape()
{
    if (!editing) return;
    editing = false;
    if (PlatformView* view = platformView()) view->closeTextEdit(this);
    CFrame* frame = getFrame();
    if (frame && frame->getFocusView() == this) frame->setFocusView(nullptr);
    setDirty(true);
}

} // namespace VSTGUI
