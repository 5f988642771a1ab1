#pragma once

#include "COnOffButton.h"
#include "DemoGain_BoundControl.h"

// A check box bound to a parameter: a grey square, with a blue check mark while on.
class DemoGain_OnOffButtonVSTvect : public DemoGain_BoundControl<VSTGUI::COnOffButton>
{
public:
    DemoGain_OnOffButtonVSTvect(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                long tag, VSTGUI::CBitmap* background, int32_t style);
    ~DemoGain_OnOffButtonVSTvect() override;

    void draw(VSTGUI::CDrawContext* context) override;
};
