#pragma once

#include "CColor.h"
#include "CControl.h"
#include "CDrawContext.h"
#include "CFontDesc.h"

#include <functional>
#include <string>

namespace VSTGUI
{

// Style bits of the text controls (CParamDisplay and its subclasses).
enum CParamDisplayStyle
{
    kShadowText = 1 << 2,
    kNoTextStyle = 1 << 3,
    kNoDrawStyle = 1 << 4,
    kCheckStyle = 1 << 5,
    k3DIn = 1 << 6,
    k3DOut = 1 << 7,
    kRoundRectStyle = 1 << 8,
    kNoFrame = 1 << 10,
    kMultipleCheckStyle = 1 << 11
};

// Shows a control's value as text: background colour (unless transparent), a frame or
// a 3D border, and the text in its font and colour. Without a conversion function the
// value is shown with two decimals.
class CParamDisplay : public CControl
{
public:
    typedef std::function<bool(float value, char utf8String[256], CParamDisplay* display)>
        ValueToStringFunction;

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, const int32_t style = 0);
    ~CParamDisplay() override;

    void setFont(CFontRef newFont);
    CFontRef getFont() const { return fontID; }
    void setFontColor(const CColor& color);
    CColor getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color);
    CColor getBackColor() const { return backColor; }
    void setFrameColor(const CColor& color);
    CColor getFrameColor() const { return frameColor; }
    void setShadowColor(const CColor& color);
    CColor getShadowColor() const { return shadowColor; }
    void setHoriAlign(CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    void setTextInset(const CPoint& inset);
    CPoint getTextInset() const { return textInset; }
    virtual void setStyle(int32_t val);
    int32_t getStyle() const { return style; }
    void setAntialias(bool state) { antialias = state; }
    bool getAntialias() const { return antialias; }
    void setValueToStringFunction(const ValueToStringFunction& function);
    void setStringConvert(void (*convert)(float value, char* string));

    void draw(CDrawContext* context) override;

protected:
    // The text shown for the current value.
    virtual std::string valueText() const;
    void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
    void drawText(CDrawContext* context, const std::string& text);

    CFontRef fontID;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    CHoriTxtAlign horiTxtAlign = kCenterText;
    CPoint textInset;
    int32_t style;
    bool antialias = true;
    ValueToStringFunction valueToString;
};

} // namespace VSTGUI
