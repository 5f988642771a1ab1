#pragma once

#include "CKickButton.h"
#include "DemoGain_BoundControl.h"

// A push button drawn as a plus or a minus sign, spanning 80 % of the button, blue while
// released and grey while pressed. Used for the frequency bounds' steps.
class DemoGain_KickButtonVSTvect : public DemoGain_BoundControl<VSTGUI::CKickButton>
{
public:
    static constexpr int32 kMinus = 0;
    static constexpr int32 kPlus = 1;

    DemoGain_KickButtonVSTvect(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                               long tag, double heightOfOneImage, VSTGUI::CBitmap* background,
                               const VSTGUI::CPoint& offset);
    ~DemoGain_KickButtonVSTvect() override;

    void draw(VSTGUI::CDrawContext* context) override;

    // 0 draws a minus, any other value a plus.
    virtual void setSymbol(int symbol);

private:
    int32 symbol = kMinus;
};
