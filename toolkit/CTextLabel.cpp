#include "CTextLabel.h"

namespace VSTGUI
{

CTextLabel::CTextLabel(const CRect& size, UTF8StringPtr txt, CBitmap* background,
                       const int32_t style)
    : CParamDisplay(size, background, style), text(txt ? txt : "")
{
}

void CTextLabel::setText(UTF8StringPtr txt)
{
    const std::string newText(txt ? txt : "");
    if (newText == text) return;
    text = newText;
    setDirty(true);
}

void CTextLabel::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context);
        drawText(context, text);
    }
    setDirty(false);
}

} // namespace VSTGUI
