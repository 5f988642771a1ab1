#include "HostNativeView.h"

#include <cairo.h>

#include <cstring>

namespace orv::host
{

uint32_t HostNativeView::Pixel(uint32_t x, uint32_t y) const
{
    if (x >= mWidth || y >= mHeight) return 0;
    return mPixels[static_cast<size_t>(y) * mWidth + x];
}

bool HostNativeView::SavePNG(const std::string& path) const
{
    if (mPixels.empty()) return false;
    const int stride = static_cast<int>(mWidth * sizeof(uint32_t));
    // Cairo only reads the pixels to write them.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(mPixels.data())),
        CAIRO_FORMAT_ARGB32, static_cast<int>(mWidth), static_cast<int>(mHeight), stride);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

void HostNativeView::SetPicture(const uint8_t* pixels, uint32_t width, uint32_t height,
                                size_t stride)
{
    mWidth = width;
    mHeight = height;
    mPixels.resize(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y)
        std::memcpy(&mPixels[static_cast<size_t>(y) * width], pixels + size_t(y) * stride,
                    width * sizeof(uint32_t));
}

} // namespace orv::host
