#include "CPoint.h"

#include "CRect.h"

namespace VSTGUI
{

bool CPoint::isInside(const CRect& rect) const
{
    return rect.pointInside(*this);
}

} // namespace VSTGUI
