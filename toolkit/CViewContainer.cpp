#include "CViewContainer.h"

#include "CBitmap.h"
#include "CDrawContext.h"

#include <algorithm>

namespace VSTGUI
{

CViewContainer::CViewContainer(const CRect& size) : CView(size)
{
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
}

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view == this || view->isAttached() || isChild(view)) return false;
    auto position = std::find(children.begin(), children.end(), before);
    children.insert(before ? position : children.end(), view);
    if (isAttached()) view->attached(this);
    view->invalid();
    return true;
}

void CViewContainer::childLeaving(CView* child)
{
    if (mouseDownView == child) mouseDownView = nullptr;
    if (dragView == child) dragView = nullptr;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto position = std::find(children.begin(), children.end(), view);
    if (position == children.end()) return false;
    view->invalid();
    childLeaving(view);
    children.erase(position);
    if (view->isAttached()) view->removed(this);
    if (withForget) view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    // Top to bottom, one at a time: a child's destructor may still look at its siblings.
    while (!children.empty())
    {
        CView* view = children.back();
        childLeaving(view);
        children.pop_back();
        if (view->isAttached()) view->removed(this);
        if (withForget) view->forget();
    }
    return true;
}

bool CViewContainer::isChild(CView* view) const
{
    return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0 || index >= getNbViews()) return nullptr;
    return children[index];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* view = *it;
        if (!view->isVisible() || !view->getViewSize().pointInside(where)) continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(view))
            {
                CPoint inner(where);
                inner.offset(-container->childOrigin().x, -container->childOrigin().y);
                if (CView* found = container->getViewAt(inner, true)) return found;
            }
        return view;
    }
    return nullptr;
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    setDirty(true);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    if (pBackground)
    {
        pBackground->draw(context, rect, CPoint(rect.left - size.left, rect.top - size.top));
        return;
    }
    if (getTransparency()) return;
    context->setFillColor(backgroundColor);
    context->setDrawMode(kAliasing);
    context->drawRect(rect, kDrawFilled);
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, size);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect area(updateRect);
    area.bound(size);
    if (area.isEmpty()) return;
    context->saveGlobalState();
    drawBackgroundRect(context, area);
    context->restoreGlobalState();

    const CPoint origin = childOrigin();
    const CPoint savedOffset = context->getOffset();
    CRect savedClip;
    context->getClipRect(savedClip);
    CRect clip(area);
    clip.bound(savedClip);
    context->setClipRect(clip);
    context->setOffset(savedOffset + origin);
    area.offset(-origin.x, -origin.y);
    drawChildren(context, area);
    context->setOffset(savedOffset);
    context->setClipRect(savedClip);
    setDirty(false);
}

void CViewContainer::drawChildren(CDrawContext* context, const CRect& updateRect)
{
    // Copy: a child's draw may not change the list, but a listener called from it could.
    const std::vector<CView*> snapshot(children);
    for (CView* view : snapshot)
    {
        if (!view->isVisible() || !view->checkUpdate(updateRect)) continue;
        CRect childArea(view->getViewSize());
        childArea.bound(updateRect);
        context->saveGlobalState();
        CRect clip;
        context->getClipRect(clip);
        clip.bound(view->getViewSize());
        context->setClipRect(clip);
        const float alpha = view->getAlphaValue();
        if (alpha < 1.f) context->setGlobalAlpha(context->getGlobalAlpha() * alpha);
        view->drawRect(context, childArea);
        context->restoreGlobalState();
    }
}

void CViewContainer::endGesture(const CPoint& local, const CButtonState& buttons)
{
    CView* view = mouseDownView;
    mouseDownView = nullptr;
    if (!view) return;
    view->remember();
    CPoint where(local);
    view->onMouseUp(where, buttons);
    view->forget();
}

CMouseEventResult CViewContainer::routeMouseDown(CPoint& local, const CButtonState& buttons)
{
    endGesture(local, buttons);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* view = *it;
        if (!view->isVisible() || !view->getMouseEnabled() || !view->hitTest(local, buttons))
            continue;
        view->remember(); // the handler may remove the view from this container
        CPoint where(local);
        const CMouseEventResult result = view->onMouseDown(where, buttons);
        const bool stillChild = isChild(view);
        view->forget();
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented) continue;
        if (result == kMouseEventHandled && stillChild) mouseDownView = view;
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::routeMouseUp(CPoint& local, const CButtonState& buttons)
{
    CView* view = mouseDownView;
    mouseDownView = nullptr;
    if (!view) return kMouseEventNotHandled;
    view->remember();
    CPoint where(local);
    const CMouseEventResult result = view->onMouseUp(where, buttons);
    view->forget();
    return result;
}

CMouseEventResult CViewContainer::routeMouseMoved(CPoint& local, const CButtonState& buttons)
{
    CView* view = mouseDownView;
    if (!view) return kMouseEventNotHandled;
    view->remember();
    CPoint where(local);
    const CMouseEventResult result = view->onMouseMoved(where, buttons);
    view->forget();
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == view)
        mouseDownView = nullptr;
    return result;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where - childOrigin());
    return routeMouseDown(local, buttons);
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where - childOrigin());
    return routeMouseUp(local, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where - childOrigin());
    return routeMouseMoved(local, buttons);
}

bool CViewContainer::routeDrop(CDragContainer* drag, const CPoint& local)
{
    CView* target = getViewAt(local);
    if (dragView && dragView != target) dragView->onDragLeave(drag, local);
    dragView = nullptr;
    return target ? target->onDrop(drag, local) : false;
}

void CViewContainer::routeDragEnter(CDragContainer* drag, const CPoint& local)
{
    dragView = getViewAt(local);
    if (dragView) dragView->onDragEnter(drag, local);
}

void CViewContainer::routeDragLeave(CDragContainer* drag, const CPoint& local)
{
    if (dragView) dragView->onDragLeave(drag, local);
    dragView = nullptr;
}

void CViewContainer::routeDragMove(CDragContainer* drag, const CPoint& local)
{
    CView* target = getViewAt(local);
    if (target == dragView)
    {
        if (target) target->onDragMove(drag, local);
        return;
    }
    if (dragView) dragView->onDragLeave(drag, local);
    dragView = target;
    if (dragView) dragView->onDragEnter(drag, local);
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where)
{
    return routeDrop(drag, where - childOrigin());
}

void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where)
{
    routeDragEnter(drag, where - childOrigin());
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where)
{
    routeDragLeave(drag, where - childOrigin());
}

void CViewContainer::onDragMove(CDragContainer* drag, const CPoint& where)
{
    routeDragMove(drag, where - childOrigin());
}

void CViewContainer::invalid()
{
    setDirty(false);
    CRect local(size);
    local.offset(-childOrigin().x, -childOrigin().y);
    invalidRect(local);
}

void CViewContainer::invalidRect(const CRect& rect)
{
    // `rect` is in the children's coordinates; the parent wants it in ours.
    CRect outer(rect);
    outer.offset(childOrigin().x, childOrigin().y);
    outer.bound(size);
    CView::invalidRect(outer);
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent)) return false;
    for (CView* view : children)
        view->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached()) return false;
    for (CView* view : children)
        view->removed(this);
    return CView::removed(parent);
}

void CViewContainer::invalidateDirtyViews()
{
    if (CView::isDirty())
    {
        invalid();
        return;
    }
    for (CView* view : children)
    {
        if (auto* container = dynamic_cast<CViewContainer*>(view))
            container->invalidateDirtyViews();
        else if (view->isDirty() && view->isVisible())
            view->invalid();
    }
}

} // namespace VSTGUI
