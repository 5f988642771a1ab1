#pragma once

#include "CColor.h"
#include "CView.h"

#include <vector>

namespace VSTGUI
{

// A view holding child views, whose sizes are relative to the container's top-left
// corner. The container owns its children: addView takes over the caller's reference,
// removeView and the destructor give it up. Events go to the topmost child under the
// point; a child that takes a mouse-down receives the moves and the up of that gesture.
class CViewContainer : public CView
{
public:
    CViewContainer(const CRect& size);
    ~CViewContainer() override;

    // Adds `view` on top of the others (or just below `before`); false when it is null or
    // already in a container, in which case the caller keeps its reference.
    virtual bool addView(CView* view, CView* before = nullptr);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(CView* view) const;
    int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
    CView* getView(int32_t index) const;
    // The topmost visible child at `where` (container coordinates); with `deep`, descends
    // into child containers.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    virtual void setBackgroundColor(const CColor& color);
    CColor getBackgroundColor() const { return backgroundColor; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void drawBackgroundRect(CDrawContext* context, const CRect& rect);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;

    void invalid() override;
    void invalidRect(const CRect& rect) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

    // Walks the children: dirty views are invalidated so the next draw shows them.
    void invalidateDirtyViews();

protected:
    // Where the children's coordinate system starts, in this view's own coordinates.
    virtual CPoint childOrigin() const { return size.getTopLeft(); }
    void drawChildren(CDrawContext* context, const CRect& updateRect);
    CMouseEventResult routeMouseDown(CPoint& local, const CButtonState& buttons);
    CMouseEventResult routeMouseUp(CPoint& local, const CButtonState& buttons);
    CMouseEventResult routeMouseMoved(CPoint& local, const CButtonState& buttons);
    bool routeDrop(CDragContainer* drag, const CPoint& local);
    void routeDragEnter(CDragContainer* drag, const CPoint& local);
    void routeDragLeave(CDragContainer* drag, const CPoint& local);
    void routeDragMove(CDragContainer* drag, const CPoint& local);
    // A mouse-down while a gesture runs (its up was lost, or a second button went down)
    // first ends that gesture, so the view closes its edit bracket.
    void endGesture(const CPoint& local, const CButtonState& buttons);
    // Called before a child leaves this container.
    virtual void childLeaving(CView* child);

    std::vector<CView*> children;
    CColor backgroundColor = kBlackCColor;
    CView* mouseDownView = nullptr;
    CView* dragView = nullptr;
};

} // namespace VSTGUI
