#include "CDrawContext.h"

#include <cairo.h>
#include <dlfcn.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>

namespace VSTGUI
{

namespace
{
constexpr double kFullCircle = 2 * 3.14159265358979323846;

// Keeps the text libraries loaded for the life of the process. They register types with
// GLib, which cannot forget them: were they unloaded with the plug-in module while GLib stays
// (the host uses it too), loading the module again would crash on the stale registrations.
// Fontconfig's caches stay reachable with it, rather than lost at each unload.
void keepTextLibrariesLoaded()
{
    static const bool kept = []
    {
        for (const char* name :
             {"libpangocairo-1.0.so.0", "libpangoft2-1.0.so.0", "libpango-1.0.so.0",
              "libgobject-2.0.so.0", "libglib-2.0.so.0", "libfontconfig.so.1"})
            dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE); // only pins what is loaded
        return true;
    }();
    (void)kept;
}

// Lays `text` out in `font`; the caller owns the returned layout.
PangoLayout* createLayout(cairo_t* cr, CFontRef font, bool antialias, const char* text)
{
    keepTextLibrariesLoaded();
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options,
                                     antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);

    PangoFontDescription* desc = pango_font_description_new();
    const char* family = font && *font->getName() ? font->getName() : "Arial";
    const CCoord size = font && font->getSize() > 0 ? font->getSize() : 12;
    const int32_t face = font ? font->getStyle() : 0;
    pango_font_description_set_family(desc, family);
    // Toolkit font sizes are in pixels (one point per pixel, as on the Mac screen).
    pango_font_description_set_absolute_size(desc, size * PANGO_SCALE);
    if (face & kBoldFace) pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
    if (face & kItalicFace) pango_font_description_set_style(desc, PANGO_STYLE_ITALIC);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);

    if (face & (kUnderlineFace | kStrikethroughFace))
    {
        PangoAttrList* attrs = pango_attr_list_new();
        if (face & kUnderlineFace)
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (face & kStrikethroughFace)
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, text, -1);
    return layout;
}
} // namespace

CDrawContext::CDrawContext(cairo_t* context, const CRect& surface)
    : cr(cairo_reference(context)), surfaceRect(surface), clipRect(surface)
{
    setFont(kSystemFont);
    applyTransformAndClip();
}

CDrawContext::~CDrawContext()
{
    for (State& state : savedStates)
        if (state.font) state.font->forget();
    if (font) font->forget();
    cairo_destroy(cr);
}

void CDrawContext::applyTransformAndClip()
{
    cairo_identity_matrix(cr);
    cairo_reset_clip(cr);
    cairo_translate(cr, offset.x, offset.y);
    cairo_rectangle(cr, clipRect.left, clipRect.top, clipRect.width(), clipRect.height());
    cairo_clip(cr);
}

void CDrawContext::setSource(const CColor& color)
{
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0 * globalAlpha);
}

CCoord CDrawContext::strokeShift() const
{
    if (drawMode != kAliasing) return 0;
    const double rounded = std::round(lineWidth);
    return (rounded == lineWidth && static_cast<int64_t>(rounded) % 2 == 1) ? 0.5 : 0;
}

void CDrawContext::prepareStroke()
{
    cairo_set_antialias(cr, drawMode == kAliasing ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_line_width(cr, lineWidth);
    // Aliased lines include both end pixels; smooth lines end exactly at their points.
    cairo_set_line_cap(cr, drawMode == kAliasing ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    if (lineStyle == kLineOnOffDash)
    {
        const double dash = lineWidth;
        cairo_set_dash(cr, &dash, 1, 0);
    }
    else
        cairo_set_dash(cr, nullptr, 0, 0);
}

void CDrawContext::finishPath(const CDrawStyle drawStyle)
{
    if (drawStyle == kDrawFilled || drawStyle == kDrawFilledAndStroked)
    {
        setSource(fillColor);
        if (drawStyle == kDrawFilled)
        {
            cairo_fill(cr);
            return;
        }
        cairo_fill_preserve(cr);
    }
    setSource(frameColor);
    cairo_stroke(cr);
}

void CDrawContext::moveTo(const CPoint& point)
{
    penLocation = point;
}

void CDrawContext::lineTo(const CPoint& point)
{
    drawLine(penLocation, point);
    penLocation = point;
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    prepareStroke();
    const CCoord shift = strokeShift();
    cairo_new_path(cr);
    cairo_move_to(cr, start.x + shift, start.y + shift);
    cairo_line_to(cr, end.x + shift, end.y + shift);
    setSource(frameColor);
    cairo_stroke(cr);
}

void CDrawContext::drawLines(const CPoint* points, int32_t numberOfLines)
{
    if (!points) return;
    for (int32_t i = 0; i < numberOfLines; ++i)
        drawLine(points[2 * i], points[2 * i + 1]);
}

void CDrawContext::drawPolygon(const CPoint* points, int32_t numberOfPoints,
                               const CDrawStyle drawStyle)
{
    if (!points || numberOfPoints < 2) return;
    prepareStroke();
    const CCoord shift = drawStyle == kDrawFilled ? 0 : strokeShift();
    cairo_new_path(cr);
    cairo_move_to(cr, points[0].x + shift, points[0].y + shift);
    for (int32_t i = 1; i < numberOfPoints; ++i)
        cairo_line_to(cr, points[i].x + shift, points[i].y + shift);
    if (drawStyle != kDrawStroked) cairo_close_path(cr);
    finishPath(drawStyle);
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, const CDrawStyle drawStyle)
{
    drawPolygon(points.data(), static_cast<int32_t>(points.size()), drawStyle);
}

void CDrawContext::drawRect(const CRect& rect, const CDrawStyle drawStyle)
{
    prepareStroke();
    cairo_new_path(cr);
    if (drawStyle == kDrawFilled)
    {
        cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
        finishPath(drawStyle);
        return;
    }
    const CCoord shift = strokeShift();
    cairo_rectangle(cr, rect.left + shift, rect.top + shift, rect.width() - 1, rect.height() - 1);
    finishPath(drawStyle);
}

void CDrawContext::drawEllipse(const CRect& rect, const CDrawStyle drawStyle)
{
    if (rect.width() <= 0 || rect.height() <= 0) return;
    prepareStroke();
    cairo_new_path(cr);
    cairo_save(cr);
    const CPoint center = rect.getCenter();
    cairo_translate(cr, center.x, center.y);
    cairo_scale(cr, rect.width() / 2, rect.height() / 2);
    cairo_arc(cr, 0, 0, 1, 0, kFullCircle);
    cairo_restore(cr);
    finishPath(drawStyle);
}

void CDrawContext::drawPoint(const CPoint& point, const CColor& color)
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr);
    cairo_rectangle(cr, std::floor(point.x), std::floor(point.y), 1, 1);
    setSource(color);
    cairo_fill(cr);
}

void CDrawContext::clearRect(const CRect& rect)
{
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(cr);
    cairo_restore(cr);
}

void CDrawContext::drawString(UTF8StringPtr string, const CRect& rect, const CHoriTxtAlign hAlign,
                              bool antialias)
{
    if (!string || !*string || rect.isEmpty()) return;
    PangoLayout* layout = createLayout(cr, font, antialias, string);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    CCoord x = rect.left;
    if (hAlign == kCenterText)
        x = rect.left + (rect.width() - logical.width) / 2;
    else if (hAlign == kRightText)
        x = rect.right - logical.width;
    const CCoord y = rect.top + (rect.height() - logical.height) / 2;

    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr);
    cairo_move_to(cr, std::round(x - logical.x), std::round(y - logical.y));
    setSource(fontColor);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

void CDrawContext::drawString(UTF8StringPtr string, const CPoint& point, bool antialias)
{
    if (!string || !*string) return;
    PangoLayout* layout = createLayout(cr, font, antialias, string);
    const CCoord baseline = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
    cairo_new_path(cr);
    cairo_move_to(cr, point.x, point.y - baseline);
    setSource(fontColor);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr string)
{
    if (!string || !*string) return 0;
    PangoLayout* layout = createLayout(cr, font, true, string);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return logical.width / static_cast<double>(PANGO_SCALE);
}

void CDrawContext::setFont(const CFontRef newFont, const CCoord& size, const int32_t& style)
{
    if (!newFont) return;
    CFontRef chosen = newFont;
    if ((size > 0 && size != newFont->getSize()) || (style >= 0 && style != newFont->getStyle()))
        chosen = new CFontDesc(newFont->getName(), size > 0 ? size : newFont->getSize(),
                               style >= 0 ? style : newFont->getStyle());
    else
        chosen->remember();
    if (font) font->forget();
    font = chosen;
}

void CDrawContext::setGlobalAlpha(float alpha)
{
    globalAlpha = alpha < 0 ? 0.f : (alpha > 1 ? 1.f : alpha);
}

void CDrawContext::setClipRect(const CRect& clip)
{
    clipRect = clip;
    applyTransformAndClip();
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = clipRect;
    return clip;
}

void CDrawContext::resetClipRect()
{
    clipRect = surfaceRect;
    clipRect.offset(-offset.x, -offset.y);
    applyTransformAndClip();
}

void CDrawContext::setOffset(const CPoint& newOffset)
{
    // The clip stays where it is on the surface; only its coordinates change.
    clipRect.offset(offset.x - newOffset.x, offset.y - newOffset.y);
    offset = newOffset;
    applyTransformAndClip();
}

void CDrawContext::saveGlobalState()
{
    if (font) font->remember();
    savedStates.push_back(State{frameColor, fillColor, fontColor, lineWidth, lineStyle, drawMode,
                                font, globalAlpha, clipRect, offset});
}

void CDrawContext::restoreGlobalState()
{
    if (savedStates.empty()) return;
    const State state = savedStates.back();
    savedStates.pop_back();
    frameColor = state.frameColor;
    fillColor = state.fillColor;
    fontColor = state.fontColor;
    lineWidth = state.lineWidth;
    lineStyle = state.lineStyle;
    drawMode = state.drawMode;
    if (font) font->forget();
    font = state.font; // the reference taken when saving moves back to the context
    globalAlpha = state.globalAlpha;
    clipRect = state.clip;
    offset = state.offset;
    applyTransformAndClip();
}

} // namespace VSTGUI
