#include "ImageSurface.h"

#include <cairo.h>

#include <cstring>
#include <utility>

// Fontconfig keeps its configuration and caches for the life of the process, where the
// leak checker cannot see them; shutting it down at exit is not safe while cairo still
// holds fonts. Every program with a toolkit image (a platform view, an offscreen context,
// a bitmap) tells the checker so, including hosts whose plug-in draws the text (weak: a
// program may have its own list). Without the sanitizer nobody calls this.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace VSTGUI
{

namespace
{
bool sideInRange(int32_t side)
{
    return side > 0 && side <= ImageSurface::kMaxSide;
}
} // namespace

ImageSurface::ImageSurface(int32_t w, int32_t h)
{
    if (!sideInRange(w) || !sideInRange(h)) return;
    cairo_surface_t* created = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(created) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(created);
        return;
    }
    surface = created;
    width = w;
    height = h;
}

ImageSurface::~ImageSurface()
{
    release();
}

ImageSurface::ImageSurface(ImageSurface&& other) noexcept
    : surface(std::exchange(other.surface, nullptr)), width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0))
{
}

ImageSurface& ImageSurface::operator=(ImageSurface&& other) noexcept
{
    if (this != &other)
    {
        release();
        surface = std::exchange(other.surface, nullptr);
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
    }
    return *this;
}

void ImageSurface::release()
{
    if (surface) cairo_surface_destroy(surface);
    surface = nullptr;
    width = height = 0;
}

bool ImageSurface::loadPNG(const std::string& path)
{
    release();
    cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
    const int32_t w = cairo_image_surface_get_width(loaded);
    const int32_t h = cairo_image_surface_get_height(loaded);
    if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS || !sideInRange(w) || !sideInRange(h))
    {
        cairo_surface_destroy(loaded);
        return false;
    }
    surface = loaded;
    width = w;
    height = h;
    return true;
}

bool ImageSurface::savePNG(const std::string& path) const
{
    if (!surface) return false;
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

CColor ImageSurface::getPixel(int32_t x, int32_t y) const
{
    if (!surface || x < 0 || y < 0 || x >= width || y >= height) return CColor(0, 0, 0, 0);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    uint32_t argb = 0;
    std::memcpy(&argb, data + y * stride + x * 4, sizeof argb);
    return straightColour(argb);
}

CColor ImageSurface::straightColour(uint32_t argb)
{
    const uint32_t a = argb >> 24;
    if (a == 0) return CColor(0, 0, 0, 0);
    // Cairo stores premultiplied colour; round back to the straight value.
    auto straight = [a](uint32_t c) { return static_cast<uint8_t>((c * 255 + a / 2) / a); };
    return CColor(straight((argb >> 16) & 0xff), straight((argb >> 8) & 0xff),
                  straight(argb & 0xff), static_cast<uint8_t>(a));
}

void ImageSurface::clear(const CColor& color)
{
    if (!surface) return;
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
}

} // namespace VSTGUI
