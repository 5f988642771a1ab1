#pragma once

#include "COnOffButton.h"
#include "DemoGain_ParameterBinding.h"

// A check box bound to a parameter: a grey square, with a blue check mark while on.
class DemoGain_OnOffButtonVSTvect : public VSTGUI::COnOffButton, public DemoGain_ParameterBinding
{
public:
    DemoGain_OnOffButtonVSTvect(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                long tag, VSTGUI::CBitmap* background, int32_t style);
    ~DemoGain_OnOffButtonVSTvect() override;

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    bool checkDefaultValue(VSTGUI::CButtonState button) override;
};
