#include "X11PictureCopy.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>
#include <cstdlib>

namespace VSTGUI
{
namespace
{

constexpr int kNativeByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst;

// Places an 8-bit channel into the bits a visual keeps it under; the shift is found once,
// not for every pixel.
class ChannelPlacer
{
public:
    explicit ChannelPlacer(unsigned long mask)
    {
        if (!mask) return;
        while (!((mask >> shift) & 1))
            ++shift;
        bits = mask >> shift;
    }
    unsigned long operator()(uint32_t channel) const
    {
        return ((channel * bits + 127) / 255) << shift;
    }

private:
    int shift = 0;
    unsigned long bits = 0;
};

} // namespace

X11PictureCopy::X11PictureCopy(Display* display, void* visual, int depth)
    : display(display), visual(visual), depth(depth)
{
    const auto* plain = static_cast<const Visual*>(visual);
    direct = (depth == 24 || depth == 32) && plain && plain->c_class == TrueColor &&
             plain->red_mask == 0xff0000 && plain->green_mask == 0x00ff00 &&
             plain->blue_mask == 0x0000ff;
}

void X11PictureCopy::put(unsigned long window, cairo_surface_t* picture) const
{
    if (!picture || cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) return;
    cairo_surface_flush(picture);
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    unsigned char* pixels = cairo_image_surface_get_data(picture);
    if (!pixels || width <= 0 || height <= 0) return;
    auto* xvisual = static_cast<Visual*>(visual);
    XImage* image = nullptr;
    if (direct)
    {
        image = XCreateImage(display, xvisual, static_cast<unsigned>(depth), ZPixmap, 0,
                             reinterpret_cast<char*>(pixels), static_cast<unsigned>(width),
                             static_cast<unsigned>(height), 32, stride);
        if (!image) return;
        image->byte_order = kNativeByteOrder;
    }
    else
    {
        image = XCreateImage(display, xvisual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                             static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!image) return;
        image->data =
            static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * height));
        if (!image->data)
        {
            XDestroyImage(image);
            return;
        }
        const ChannelPlacer red(xvisual->red_mask), green(xvisual->green_mask),
            blue(xvisual->blue_mask);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const uint32_t argb = reinterpret_cast<const uint32_t*>(pixels + y * stride)[x];
                XPutPixel(image, x, y,
                          red((argb >> 16) & 0xff) | green((argb >> 8) & 0xff) | blue(argb & 0xff));
            }
    }
    // A GC of the window's own depth: the screen's default one may have another.
    GC gc = XCreateGC(display, window, 0, nullptr);
    XPutImage(display, window, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display, gc);
    if (direct) image->data = nullptr; // the picture's pixels stay its own
    XDestroyImage(image);
}

} // namespace VSTGUI
