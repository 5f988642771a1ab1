#include "CBitmap.h"

#include "CDrawContext.h"
#include "ResourceFolder.h"

#include <cairo.h>

namespace VSTGUI
{

CBitmap::CBitmap(const CResourceDescription& desc) : resourceDesc(desc)
{
    const std::string path = resolveResourcePath(desc.getFileName());
    if (!path.empty()) image.loadPNG(path);
}

CBitmap::CBitmap(CCoord width, CCoord height)
    : image(static_cast<int32_t>(width), static_cast<int32_t>(height))
{
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (!context || image.isEmpty() || rect.isEmpty()) return;
    cairo_surface_t* source = image.getCairoSurface();
    cairo_t* cr = context->getCairoContext();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, source, rect.left - offset.x, rect.top - offset.y);
    cairo_paint_with_alpha(cr, alpha * context->getGlobalAlpha());
    cairo_restore(cr);
}

} // namespace VSTGUI
