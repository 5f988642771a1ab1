#pragma once

#include "CControl.h"

namespace VSTGUI
{

enum COnOffButtonStyle
{
    kPreListenerUpdate = 1 << 0
};

// A toggle: each left click switches the value between minimum and maximum and tells the
// listener inside an edit bracket. The background holds two stacked images of half its
// height: off, then on.
class COnOffButton : public CControl
{
public:
    COnOffButton(const CRect& size, CControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    int32_t getStyle() const { return style; }
    void setStyle(int32_t newStyle) { style = newStyle; }

protected:
    int32_t style;
};

} // namespace VSTGUI
