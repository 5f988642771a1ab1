#pragma once

#include "CControl.h"

namespace VSTGUI
{

// A push button: its value is the maximum while the left button holds it down over the
// button and the minimum otherwise. On release it notifies the listener once while still
// pressed (when released over it) and once more after returning to the minimum, so a
// release over the button notifies twice and a release beside it once. The background
// holds two stacked images of heightOfOneImage: released, then pressed.
class CKickButton : public CControl
{
public:
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint(0, 0));
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    void setHeightOfOneImage(const CCoord& height) { heightOfOneImage = height; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }

protected:
    CPoint offset;
    CCoord heightOfOneImage;

private:
    float entryState = 0.f;
};

} // namespace VSTGUI
