#pragma once

#include "CColor.h"
#include "CDrawContext.h"

// How the editor's vector buttons stroke: one colour for lines and fills, a line width, and
// antialiasing, set together so that no button keeps a part of the previous one's style.
struct DemoGain_Pen
{
    VSTGUI::CColor colour;
    VSTGUI::CCoord width;

    void ApplyTo(VSTGUI::CDrawContext& context) const
    {
        context.setFrameColor(colour);
        context.setFillColor(colour);
        context.setLineWidth(width);
        context.setDrawMode(VSTGUI::kAntiAliasing);
    }
};
