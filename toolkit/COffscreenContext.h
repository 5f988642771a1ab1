#pragma once

#include "CDrawContext.h"
#include "ImageSurface.h"

#include <string>

namespace VSTGUI
{

class CFrame;

// A drawing context with an image of its own, for drawing off screen and reading back
// pixels or saving them as PNG.
class COffscreenContext : public CDrawContext
{
public:
    // A transparent image of width x height pixels; null when the size is out of range
    // (see ImageSurface). The frame is not needed here and may be null. The caller owns
    // the returned reference.
    static COffscreenContext* create(CFrame* frame, CCoord width, CCoord height);

    CCoord getWidth() const { return image.getWidth(); }
    CCoord getHeight() const { return image.getHeight(); }
    const ImageSurface& getImage() const { return image; }
    CColor getPixel(int32_t x, int32_t y) const { return image.getPixel(x, y); }
    bool savePNG(const std::string& path) const { return image.savePNG(path); }
    // Copies the part of this image that starts at `srcOffset` into `destRect` of `dest`.
    void copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset = CPoint());

private:
    COffscreenContext(ImageSurface&& image, cairo_t* cr);

    ImageSurface image;
};

} // namespace VSTGUI
