#pragma once

#include "CTextLabel.h"
#include "PlatformTextEditRequest.h"

namespace VSTGUI
{

class PlatformView;

// A text field. A left click gives it the focus, which opens a text entry on the platform
// view; the entry ends with the return key (or a click elsewhere: the text is taken) or
// escape (the text is dropped). A changed text is set inside an edit bracket and reported
// through valueChanged.
class CTextEdit : public CTextLabel, public IPlatformTextEditClient
{
public:
    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag,
              UTF8StringPtr txt = nullptr, CBitmap* background = nullptr, const int32_t style = 0);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;
    bool removed(CView* parent) override;
    void draw(CDrawContext* context) override;

    // True while the platform view holds an open entry for this field.
    bool isEditing() const { return editing; }

    void platformTextEditReturn() override;
    void platformTextEditEscape() override;

private:
    PlatformView* platformView() const;
    void updateText(const std::string& newText);

    bool editing = false;
};

} // namespace VSTGUI
