#pragma once

#include "CBaseObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "CResourceDescription.h"
#include "ImageSurface.h"

namespace VSTGUI
{

class CDrawContext;

// A PNG image loaded from the resource folder (see ResourceFolder.h). A resource that
// cannot be found or read gives a bitmap of 0 x 0 pixels that draws nothing.
class CBitmap : public CBaseObject
{
public:
    CBitmap(const CResourceDescription& desc);
    // An empty (transparent) bitmap of the given size.
    CBitmap(CCoord width, CCoord height);

    // Draws the part of the image that starts at `offset` into `rect`.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    CCoord getWidth() const { return image.getWidth(); }
    CCoord getHeight() const { return image.getHeight(); }
    bool isLoaded() const { return !image.isEmpty(); }
    const CResourceDescription& getResourceDescription() const { return resourceDesc; }
    const ImageSurface& getImage() const { return image; }

private:
    CResourceDescription resourceDesc;
    ImageSurface image;
};

} // namespace VSTGUI
