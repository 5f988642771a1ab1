#pragma once

#include "VSTGUITypes.h"

namespace VSTGUI
{

class CRect;

struct CPoint
{
    CPoint(CCoord x = 0, CCoord y = 0) : x(x), y(y) {}

    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    bool isInside(const CRect& rect) const;

    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }
    CPoint operator+(const CPoint& other) const { return CPoint(x + other.x, y + other.y); }
    CPoint operator-(const CPoint& other) const { return CPoint(x - other.x, y - other.y); }

    CCoord x;
    CCoord y;
};

} // namespace VSTGUI
