#include "CFontDesc.h"

namespace VSTGUI
{

CFontDesc::CFontDesc(UTF8StringPtr name, const CCoord& size, const int32_t style)
    : name(name ? name : ""), size(size), style(style)
{
}

namespace
{
// Static storage: these objects are never deleted, their count starts at one.
CFontDesc systemFont("Arial", 12);
CFontDesc normalFontVeryBig("Arial", 18);
CFontDesc normalFontBig("Arial", 14);
CFontDesc normalFont("Arial", 12);
CFontDesc normalFontSmall("Arial", 11);
CFontDesc normalFontSmaller("Arial", 10);
CFontDesc normalFontVerySmall("Arial", 9);
CFontDesc symbolFont("Symbol", 12);
} // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &normalFontVeryBig;
const CFontRef kNormalFontBig = &normalFontBig;
const CFontRef kNormalFont = &normalFont;
const CFontRef kNormalFontSmall = &normalFontSmall;
const CFontRef kNormalFontSmaller = &normalFontSmaller;
const CFontRef kNormalFontVerySmall = &normalFontVerySmall;
const CFontRef kSymbolFont = &symbolFont;

} // namespace VSTGUI
