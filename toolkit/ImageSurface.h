#pragma once

#include "CColor.h"

#include <cstdint>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI
{

// An owned 32-bit ARGB image in memory: what offscreen drawing lands in, what bitmaps are
// loaded into and what is saved as PNG. Sizes are bounded so a bad size cannot exhaust
// memory: a request outside 1..kMaxSide on either side leaves the image empty.
class ImageSurface
{
public:
    static constexpr int32_t kMaxSide = 16384;

    ImageSurface() = default;
    ImageSurface(int32_t width, int32_t height);
    ~ImageSurface();
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;
    ImageSurface(ImageSurface&& other) noexcept;
    ImageSurface& operator=(ImageSurface&& other) noexcept;

    // Loads a PNG file; false (and an empty image) when it cannot be read.
    bool loadPNG(const std::string& path);
    // Writes the image as PNG; false when empty or the file cannot be written.
    bool savePNG(const std::string& path) const;

    bool isEmpty() const { return surface == nullptr; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    // Colour of one pixel, un-premultiplied; transparent black outside the image.
    CColor getPixel(int32_t x, int32_t y) const;
    // The straight colour of a premultiplied 0xAARRGGBB pixel, rounded.
    static CColor straightColour(uint32_t argb);
    // Fills the whole image with one colour.
    void clear(const CColor& color);

    // The Cairo surface (owned by this object), null when empty.
    cairo_surface_t* getCairoSurface() const { return surface; }

private:
    void release();

    cairo_surface_t* surface = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

} // namespace VSTGUI
