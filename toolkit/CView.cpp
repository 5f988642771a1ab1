#include "CView.h"

#include "CBitmap.h"
#include "CFrame.h"
#include "CViewContainer.h"

namespace VSTGUI
{

CView::CView(const CRect& size) : size(size), mouseableArea(size)
{
}

CView::~CView()
{
    if (pBackground) pBackground->forget();
}

void CView::draw(CDrawContext* context)
{
    if (pBackground) pBackground->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

int32_t CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

bool CView::onDrop(CDragContainer*, const CPoint&)
{
    return false;
}

void CView::onDragEnter(CDragContainer*, const CPoint&)
{
}

void CView::onDragLeave(CDragContainer*, const CPoint&)
{
}

void CView::onDragMove(CDragContainer*, const CPoint&)
{
}

void CView::setViewSize(const CRect& rect, bool doInvalid)
{
    if (doInvalid) invalid(); // the old area must be redrawn too
    size = rect;
    mouseableArea = rect;
    if (doInvalid) invalid();
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return mouseableArea.pointInside(where);
}

void CView::setBackground(CBitmap* background)
{
    if (background == pBackground) return;
    if (background) background->remember();
    if (pBackground) pBackground->forget();
    pBackground = background;
    setDirty(true);
}

void CView::setVisible(bool state)
{
    if (bVisible == state) return;
    bVisible = state;
    invalidRect(size); // not invalid(): it would skip an invisible view
}

void CView::setAlphaValue(float alpha)
{
    alphaValue = alpha < 0 ? 0.f : (alpha > 1 ? 1.f : alpha);
    invalidRect(size);
}

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (!bIsAttached || !pParentView) return;
    pParentView->invalidRect(rect);
}

bool CView::attached(CView* parent)
{
    if (bIsAttached) return false;
    pParentView = parent;
    pParentFrame = parent ? parent->getFrame() : nullptr;
    bIsAttached = true;
    return true;
}

bool CView::removed(CView*)
{
    if (!bIsAttached) return false;
    if (pParentFrame && pParentFrame != this) pParentFrame->viewRemoved(this);
    pParentView = nullptr;
    pParentFrame = nullptr;
    bIsAttached = false;
    return true;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CView* parent = pParentView; parent && parent->getParentView();
         parent = parent->getParentView())
        point.offset(parent->getViewSize().left, parent->getViewSize().top);
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CView* parent = pParentView; parent && parent->getParentView();
         parent = parent->getParentView())
        point.offset(-parent->getViewSize().left, -parent->getViewSize().top);
    return point;
}

} // namespace VSTGUI
