#pragma once

#include "CKickButton.h"
#include "DemoGain_ParameterBinding.h"

// A push button drawn from a bitmap of two stacked images (the logo), bound to an
// identifier that the host is offered its mouse events for.
class DemoGain_KickButtonVST : public VSTGUI::CKickButton, public DemoGain_ParameterBinding
{
public:
    DemoGain_KickButtonVST(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag,
                           double heightOfOneImage, VSTGUI::CBitmap* background,
                           const VSTGUI::CPoint& offset);
    ~DemoGain_KickButtonVST() override;

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    bool checkDefaultValue(VSTGUI::CButtonState button) override;
};
