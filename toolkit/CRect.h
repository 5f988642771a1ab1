#pragma once

#include "CPoint.h"

namespace VSTGUI
{

// Rectangle by its edges; right and bottom lie just outside the covered area.
class CRect
{
public:
    CRect(CCoord left = 0, CCoord top = 0, CCoord right = 0, CCoord bottom = 0)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }
    CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    CCoord width() const { return right - left; }
    CCoord height() const { return bottom - top; }
    CCoord getWidth() const { return width(); }
    CCoord getHeight() const { return height(); }
    CRect& setWidth(CCoord w);
    CRect& setHeight(CCoord h);

    CPoint getTopLeft() const { return CPoint(left, top); }
    CPoint getBottomRight() const { return CPoint(right, bottom); }
    CPoint getSize() const { return CPoint(width(), height()); }
    CPoint getCenter() const { return CPoint(left + width() / 2, top + height() / 2); }

    CRect& offset(CCoord dx, CCoord dy);
    CRect& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }
    CRect& moveTo(const CPoint& where) { return moveTo(where.x, where.y); }
    CRect& inset(CCoord dx, CCoord dy);
    // Clips this rectangle to `other`; an empty intersection leaves an empty rectangle.
    CRect& bound(const CRect& other);
    CRect& unite(const CRect& other);

    bool isEmpty() const { return right <= left || bottom <= top; }
    bool pointInside(const CPoint& where) const
    {
        return where.x >= left && where.x < right && where.y >= top && where.y < bottom;
    }
    bool rectOverlap(const CRect& other) const
    {
        return right > other.left && left < other.right && bottom > other.top && top < other.bottom;
    }

    bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CRect& o) const { return !(*this == o); }

    CCoord left;
    CCoord top;
    CCoord right;
    CCoord bottom;
};

} // namespace VSTGUI
