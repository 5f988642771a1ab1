#include "COffscreenContext.h"

#include <cairo.h>

#include <utility>

namespace VSTGUI
{

COffscreenContext* COffscreenContext::create(CFrame*, CCoord width, CCoord height)
{
    if (!(width >= 1 && height >= 1 && width <= ImageSurface::kMaxSide &&
          height <= ImageSurface::kMaxSide))
        return nullptr;
    ImageSurface image(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (image.isEmpty()) return nullptr;
    cairo_t* cr = cairo_create(image.getCairoSurface());
    COffscreenContext* context = new COffscreenContext(std::move(image), cr);
    cairo_destroy(cr); // the context holds its own reference
    return context;
}

COffscreenContext::COffscreenContext(ImageSurface&& img, cairo_t* cr)
    : CDrawContext(cr, CRect(0, 0, img.getWidth(), img.getHeight())), image(std::move(img))
{
}

void COffscreenContext::copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset)
{
    if (!dest || image.isEmpty()) return;
    cairo_surface_flush(image.getCairoSurface());
    cairo_t* cr = dest->getCairoContext();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, destRect.left, destRect.top, destRect.width(), destRect.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, image.getCairoSurface(), destRect.left - srcOffset.x,
                             destRect.top - srcOffset.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace VSTGUI
