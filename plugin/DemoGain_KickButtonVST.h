#pragma once

#include "CKickButton.h"
#include "DemoGain_BoundControl.h"

// A push button drawn from a bitmap of two stacked images (the logo), bound to an
// identifier that the host is offered its mouse events for.
class DemoGain_KickButtonVST : public DemoGain_BoundControl<VSTGUI::CKickButton>
{
public:
    DemoGain_KickButtonVST(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag,
                           double heightOfOneImage, VSTGUI::CBitmap* background,
                           const VSTGUI::CPoint& offset);
    ~DemoGain_KickButtonVST() override;
};
