#pragma once

#include "CBaseObject.h"

#include <string>

namespace VSTGUI
{

enum CTxtFace
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4
};

// A font by family name, size in pixels and face bits. The family is resolved through
// fontconfig when text is drawn, so "Arial" finds a metric-compatible font.
class CFontDesc : public CBaseObject
{
public:
    CFontDesc(UTF8StringPtr name = nullptr, const CCoord& size = 0, const int32_t style = 0);

    UTF8StringPtr getName() const { return name.c_str(); }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }
    void setName(UTF8StringPtr newName) { name = newName ? newName : ""; }
    void setSize(CCoord newSize) { size = newSize; }
    void setStyle(int32_t newStyle) { style = newStyle; }

private:
    std::string name;
    CCoord size;
    int32_t style;
};

typedef CFontDesc* CFontRef;

// Shared standard fonts. They live for the whole program; remember/forget on them never
// deletes them as long as callers pair their calls.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

} // namespace VSTGUI
