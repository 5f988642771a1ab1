#pragma once

#include "CBaseObject.h"
#include "CButtonState.h"
#include "CRect.h"
#include "VstKeyCode.h"

namespace VSTGUI
{

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;
class CViewContainer;

// A rectangle of the editor that draws itself and may take mouse and keyboard events.
// Its size is in the coordinates of its parent container. Views are reference counted:
// a container that a view is added to takes over the creator's reference.
class CView : public CBaseObject
{
public:
    CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const { return updateRect.rectOverlap(size); }

    // A dirty view has changed since it was last drawn; the frame's idle call redraws it.
    virtual bool isDirty() const { return bDirty; }
    virtual void setDirty(const bool val = true) { bDirty = val; }

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    // Key handlers answer 1 when they used the key and -1 when not.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    virtual bool onDrop(CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDragContainer* drag, const CPoint& where);

    virtual void setViewSize(const CRect& rect, bool invalid = true);
    virtual const CRect& getViewSize() const { return size; }
    CRect& getViewSize(CRect& rect) const
    {
        rect = size;
        return rect;
    }
    CCoord getWidth() const { return size.width(); }
    CCoord getHeight() const { return size.height(); }
    virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    virtual const CRect& getMouseableArea() const { return mouseableArea; }
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);

    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return pBackground; }
    virtual void setTransparency(bool val) { bTransparencyEnabled = val; }
    bool getTransparency() const { return bTransparencyEnabled; }
    virtual void setMouseEnabled(bool enable = true) { bMouseEnabled = enable; }
    bool getMouseEnabled() const { return bMouseEnabled; }
    virtual void setVisible(bool state);
    bool isVisible() const { return bVisible && alphaValue > 0.f; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return alphaValue; }

    // Marks the view's area for redrawing (and clears the dirty flag).
    virtual void invalid();
    virtual void invalidRect(const CRect& rect);

    virtual void takeFocus() {}
    virtual void looseFocus() {}
    virtual bool wantsFocus() const { return bWantsFocus; }
    virtual void setWantsFocus(bool state) { bWantsFocus = state; }

    // Called by the container the view joins or leaves.
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return bIsAttached; }

    CFrame* getFrame() const { return pParentFrame; }
    CView* getParentView() const { return pParentView; }
    // Converts between this view's parent coordinates and frame coordinates.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;

protected:
    CRect size;
    CRect mouseableArea;
    CFrame* pParentFrame = nullptr;
    CView* pParentView = nullptr;
    CBitmap* pBackground = nullptr;

private:
    bool bDirty = false;
    bool bMouseEnabled = true;
    bool bTransparencyEnabled = false;
    bool bWantsFocus = false;
    bool bVisible = true;
    bool bIsAttached = false;
    float alphaValue = 1.f;
};

} // namespace VSTGUI
