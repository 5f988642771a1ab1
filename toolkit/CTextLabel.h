#pragma once

#include "CParamDisplay.h"

#include <string>

namespace VSTGUI
{

// A text of its own (not the value) drawn as CParamDisplay draws.
class CTextLabel : public CParamDisplay
{
public:
    CTextLabel(const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr,
               const int32_t style = 0);

    // Copies `txt` (null: empty) and marks the label for redrawing when it changed.
    virtual void setText(UTF8StringPtr txt);
    virtual UTF8StringPtr getText() const { return text.c_str(); }

    void draw(CDrawContext* context) override;

protected:
    std::string text;
};

} // namespace VSTGUI
