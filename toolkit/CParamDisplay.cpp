#include "CParamDisplay.h"

#include "CBitmap.h"

#include <cstdio>

namespace VSTGUI
{

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, const int32_t style)
    : CControl(size, nullptr, 0, background), fontID(kNormalFont), style(style)
{
    fontID->remember();
    setWantsFocus(false);
}

CParamDisplay::~CParamDisplay()
{
    fontID->forget();
}

void CParamDisplay::setFont(CFontRef newFont)
{
    if (!newFont || newFont == fontID) return;
    newFont->remember();
    fontID->forget();
    fontID = newFont;
    setDirty(true);
}

void CParamDisplay::setFontColor(const CColor& color)
{
    fontColor = color;
    setDirty(true);
}

void CParamDisplay::setBackColor(const CColor& color)
{
    backColor = color;
    setDirty(true);
}

void CParamDisplay::setFrameColor(const CColor& color)
{
    frameColor = color;
    setDirty(true);
}

void CParamDisplay::setShadowColor(const CColor& color)
{
    shadowColor = color;
    setDirty(true);
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    horiTxtAlign = align;
    setDirty(true);
}

void CParamDisplay::setTextInset(const CPoint& inset)
{
    textInset = inset;
    setDirty(true);
}

void CParamDisplay::setStyle(int32_t val)
{
    style = val;
    setDirty(true);
}

void CParamDisplay::setValueToStringFunction(const ValueToStringFunction& function)
{
    valueToString = function;
    setDirty(true);
}

void CParamDisplay::setStringConvert(void (*convert)(float value, char* string))
{
    if (!convert)
    {
        setValueToStringFunction(nullptr);
        return;
    }
    setValueToStringFunction(
        [convert](float v, char utf8String[256], CParamDisplay*)
        {
            convert(v, utf8String);
            return true;
        });
}

std::string CParamDisplay::valueText() const
{
    char buffer[256] = {0};
    if (valueToString && valueToString(value, buffer, const_cast<CParamDisplay*>(this)))
    {
        buffer[sizeof buffer - 1] = 0; // a converter that fills the whole buffer stays bounded
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%2.2f", value);
    return buffer;
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context);
        drawText(context, valueText());
    }
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack)
{
    CBitmap* back = newBack ? newBack : pBackground;
    if (back)
        back->draw(context, size, backOffset);
    else if (!getTransparency())
    {
        context->setDrawMode(kAliasing);
        context->setFillColor(backColor);
        context->drawRect(size, kDrawFilled);
    }
    if ((style & kNoFrame) || frameColor.alpha == 0) return;
    context->setDrawMode(kAliasing);
    context->setLineWidth(1);
    if (style & (k3DIn | k3DOut))
    {
        // Light from the top left: the lit edges in the frame colour, the others in a
        // darker shade of it.
        const CColor lit = frameColor;
        const CColor shade(frameColor.red / 2, frameColor.green / 2, frameColor.blue / 2,
                           frameColor.alpha);
        const CColor& topLeft = (style & k3DIn) ? shade : lit;
        const CColor& bottomRight = (style & k3DIn) ? lit : shade;
        const CCoord r = size.right - 1;
        const CCoord b = size.bottom - 1;
        context->setFrameColor(topLeft);
        context->drawLine(CPoint(size.left, b), CPoint(size.left, size.top));
        context->drawLine(CPoint(size.left, size.top), CPoint(r, size.top));
        context->setFrameColor(bottomRight);
        context->drawLine(CPoint(r, size.top), CPoint(r, b));
        context->drawLine(CPoint(r, b), CPoint(size.left, b));
        return;
    }
    context->setFrameColor(frameColor);
    context->drawRect(size, kDrawStroked);
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text)
{
    if ((style & kNoTextStyle) || text.empty()) return;
    CRect textRect(size);
    textRect.inset(textInset.x, textInset.y);
    context->setFont(fontID);
    if (style & kShadowText)
    {
        CRect shadowRect(textRect);
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text.c_str(), shadowRect, horiTxtAlign, antialias);
    }
    context->setFontColor(fontColor);
    context->drawString(text.c_str(), textRect, horiTxtAlign, antialias);
}

} // namespace VSTGUI
