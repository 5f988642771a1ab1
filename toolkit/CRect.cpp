#include "CRect.h"

#include <algorithm>

namespace VSTGUI
{

CRect& CRect::setWidth(CCoord w)
{
    right = left + w;
    return *this;
}

CRect& CRect::setHeight(CCoord h)
{
    bottom = top + h;
    return *this;
}

CRect& CRect::offset(CCoord dx, CCoord dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
}

CRect& CRect::inset(CCoord dx, CCoord dy)
{
    left += dx;
    right -= dx;
    top += dy;
    bottom -= dy;
    return *this;
}

CRect& CRect::bound(const CRect& other)
{
    left = std::max(left, other.left);
    top = std::max(top, other.top);
    right = std::max(left, std::min(right, other.right));
    bottom = std::max(top, std::min(bottom, other.bottom));
    return *this;
}

CRect& CRect::unite(const CRect& other)
{
    if (other.isEmpty()) return *this;
    if (isEmpty()) return *this = other;
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
    return *this;
}

} // namespace VSTGUI
