#pragma once

#include "COptionMenu.h"
#include "DemoGain_BoundControl.h"

// The preset menu: a toolkit option menu bound to a parameter. Its value is the index of
// the chosen entry.
class DemoGain_MenuVST : public DemoGain_BoundControl<VSTGUI::COptionMenu>
{
public:
    DemoGain_MenuVST(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                     VSTGUI::CBitmap* background = nullptr,
                     VSTGUI::CBitmap* backgroundWhenClicked = nullptr, int32_t style = 0);
    ~DemoGain_MenuVST() override;
};
