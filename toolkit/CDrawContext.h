#pragma once

#include "CBaseObject.h"
#include "CColor.h"
#include "CFontDesc.h"
#include "CRect.h"

#include <vector>

typedef struct _cairo cairo_t;

namespace VSTGUI
{

enum CDrawMode
{
    kAliasing = 0,
    kAntiAliasing = 1,
    kCopyMode = kAliasing
};

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked
};

enum CLineStyle
{
    kLineSolid = 0,
    kLineOnOffDash
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText
};

// Draws on a Cairo context: lines, rectangles, polygons and ellipses in the frame colour
// (outline) and the fill colour, text with Pango in the font colour. Coordinates are
// those of the view being drawn; the offset maps them to the surface.
//
// With kAliasing nothing is anti-aliased and odd line widths are shifted half a pixel,
// so a one-pixel line at y covers exactly pixel row y, end pixels included. With
// kAntiAliasing lines end exactly at their end points. A stroked rectangle runs through
// the pixel centres of its outermost rows and columns (left .. right - 1).
class CDrawContext : public CBaseObject
{
public:
    // Draws through `cr`, which the context references for its lifetime. `surfaceRect` is
    // the drawable area in surface coordinates; it is also the initial clip.
    CDrawContext(cairo_t* cr, const CRect& surfaceRect);
    ~CDrawContext() override;

    void moveTo(const CPoint& point);
    // Strokes from the pen position to `point` and moves the pen there.
    void lineTo(const CPoint& point);
    void drawLine(const CPoint& start, const CPoint& end);
    // `points` holds 2 * numberOfLines points: start and end of each line.
    void drawLines(const CPoint* points, int32_t numberOfLines);
    void drawPolygon(const CPoint* points, int32_t numberOfPoints,
                     const CDrawStyle drawStyle = kDrawStroked);
    void drawPolygon(const std::vector<CPoint>& points, const CDrawStyle drawStyle = kDrawStroked);
    void drawRect(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked);
    void drawEllipse(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked);
    void drawPoint(const CPoint& point, const CColor& color);
    // Sets the pixels of `rect` to transparent.
    void clearRect(const CRect& rect);

    // Draws `string` vertically centred in `rect`, aligned horizontally, clipped to `rect`.
    void drawString(UTF8StringPtr string, const CRect& rect,
                    const CHoriTxtAlign hAlign = kCenterText, bool antialias = true);
    // Draws `string` with its baseline starting at `point`.
    void drawString(UTF8StringPtr string, const CPoint& point, bool antialias = true);
    CCoord getStringWidth(UTF8StringPtr string);

    void setLineStyle(CLineStyle style) { lineStyle = style; }
    CLineStyle getLineStyle() const { return lineStyle; }
    void setLineWidth(CCoord width) { lineWidth = width > 0 ? width : 1; }
    CCoord getLineWidth() const { return lineWidth; }
    void setDrawMode(CDrawMode mode) { drawMode = mode; }
    CDrawMode getDrawMode() const { return drawMode; }
    void setFrameColor(const CColor& color) { frameColor = color; }
    CColor getFrameColor() const { return frameColor; }
    void setFillColor(const CColor& color) { fillColor = color; }
    CColor getFillColor() const { return fillColor; }
    void setFontColor(const CColor& color) { fontColor = color; }
    CColor getFontColor() const { return fontColor; }
    // Uses `font`, or a copy with another size (> 0) or face (>= 0). The context keeps a
    // reference to the font it uses.
    void setFont(const CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
    CFontRef getFont() const { return font; }
    void setGlobalAlpha(float alpha);
    float getGlobalAlpha() const { return globalAlpha; }

    // Clip and offset are in the coordinates of the current view.
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    void resetClipRect();
    void setOffset(const CPoint& offset);
    const CPoint& getOffset() const { return offset; }
    CRect getSurfaceRect() const { return surfaceRect; }

    // Saves and restores colours, line, font, alpha, clip and offset.
    void saveGlobalState();
    void restoreGlobalState();

    cairo_t* getCairoContext() const { return cr; }

private:
    struct State
    {
        CColor frameColor;
        CColor fillColor;
        CColor fontColor;
        CCoord lineWidth;
        CLineStyle lineStyle;
        CDrawMode drawMode;
        CFontRef font;
        float globalAlpha;
        CRect clip;
        CPoint offset;
    };

    void applyTransformAndClip();
    void setSource(const CColor& color);
    void prepareStroke();
    // Half-pixel shift that puts odd-width aliased strokes on whole pixels.
    CCoord strokeShift() const;
    void finishPath(const CDrawStyle drawStyle);

    cairo_t* cr;
    CRect surfaceRect;
    CColor frameColor = kBlackCColor;
    CColor fillColor = kWhiteCColor;
    CColor fontColor = kBlackCColor;
    CCoord lineWidth = 1;
    CLineStyle lineStyle = kLineSolid;
    CDrawMode drawMode = kAliasing;
    CFontRef font = nullptr;
    float globalAlpha = 1.f;
    CRect clipRect;
    CPoint offset;
    CPoint penLocation;
    std::vector<State> savedStates;
};

} // namespace VSTGUI
