#include "CFrame.h"

#include <cstdint>
#include <cstring>

#include "CBitmap.h"
#include "CDrawContext.h"
#include "FrameTableView.h"
#include "TimerScheduler.h"
#include "VSTGUIEditorInterface.h"
#include "X11FrameView.h"

namespace VSTGUI
{

CFrame::CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(size), systemWindow(systemWindow), editor(editor)
{
    CViewContainer::attached(nullptr);
    pParentFrame = this;
    embedIn(systemWindow);
    if (platformView && !platformView->attachFrame(this, localRect()))
        platformView = nullptr; // another frame already lives there
    if (tableView && platformView) tableView->announce();
    if (windowView && platformView) windowView->announce();
}

void CFrame::embedIn(const void* systemWindow)
{
    // Only the size is read until it says the host's structure is whole; the API tag then
    // says which of the remaining fields mean anything.
    if (!systemWindow) return;
    // The size by its bytes: until it is known, nothing says a whole, aligned structure is there.
    uint32_t size = 0;
    std::memcpy(&size, systemWindow, sizeof size);
    if (size < sizeof(AAX_LinuxNativeView)) return;
    if (reinterpret_cast<uintptr_t>(systemWindow) % alignof(AAX_LinuxNativeView) != 0) return;
    const auto* native = static_cast<const AAX_LinuxNativeView*>(systemWindow);
    if (native->api == AAX_eLinuxNativeView_Frames)
    {
        if (!FrameTableView::isUsable(native->frames)) return;
        tableView = std::make_unique<FrameTableView>(*native->frames, *this);
        platformView = &tableView->getView();
    }
    else if (native->api == AAX_eLinuxNativeView_X11)
    {
        if ((windowView = X11FrameView::open(*native))) platformView = &windowView->getView();
    }
}

CFrame::~CFrame()
{
    // Leave quietly: no edit is committed and no listener is called while the editor
    // that owns this frame is being torn down.
    inDestructor = true;
    if (platformView) platformView->detachFrame(this);
    platformView = nullptr;
    focusView = nullptr;
    modalView = nullptr;
    removeAll(true);
}

bool CFrame::isInModalView(const CPoint& where) const
{
    return modalView->getViewSize().pointInside(where);
}

bool CFrame::onDrop(CDragContainer* drag, const CPoint& where)
{
    if (modalView) return isInModalView(where) ? modalView->onDrop(drag, where) : false;
    return routeDrop(drag, where);
}

void CFrame::onDragEnter(CDragContainer* drag, const CPoint& where)
{
    if (modalView)
    {
        if (isInModalView(where)) modalView->onDragEnter(drag, where);
        return;
    }
    routeDragEnter(drag, where);
}

void CFrame::onDragLeave(CDragContainer* drag, const CPoint& where)
{
    if (modalView)
    {
        modalView->onDragLeave(drag, where);
        return;
    }
    routeDragLeave(drag, where);
}

void CFrame::onDragMove(CDragContainer* drag, const CPoint& where)
{
    if (modalView)
    {
        if (isInModalView(where)) modalView->onDragMove(drag, where);
        return;
    }
    routeDragMove(drag, where);
}

bool CFrame::setPosition(CCoord x, CCoord y)
{
    size.moveTo(x, y);
    mouseableArea = size;
    return true;
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    if (width < 0 || height < 0) return false;
    CRect newSize(size);
    newSize.setWidth(width);
    newSize.setHeight(height);
    if (newSize == size) return true;
    if (editor && !editor->beforeSizeChange(newSize, size)) return false;
    setViewSize(newSize, true);
    return true;
}

bool CFrame::getSize(CRect* rect) const
{
    if (!rect) return false;
    *rect = size;
    return true;
}

bool CFrame::getSize(CRect& rect) const
{
    return getSize(&rect);
}

bool CFrame::platformOnKeyDown(VstKeyCode& keyCode)
{
    remember(); // a listener may close the editor during the event
    const bool used = onKeyDown(keyCode) == 1;
    forget();
    return used;
}

void CFrame::draw(CDrawContext* context)
{
    drawRect(context, localRect());
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    if (!context)
    {
        if (platformView) platformView->render(updateRect);
        return;
    }
    CRect area(updateRect);
    area.bound(localRect());
    if (area.isEmpty()) return;
    context->saveGlobalState();
    if (pBackground)
        pBackground->draw(context, area, area.getTopLeft());
    else if (!getTransparency())
    {
        context->setFillColor(backgroundColor);
        context->setDrawMode(kAliasing);
        context->drawRect(area, kDrawFilled);
    }
    CRect clip;
    context->getClipRect(clip);
    clip.bound(area);
    context->setClipRect(clip);
    drawChildren(context, area);
    context->restoreGlobalState();
    setDirty(false);
}

void CFrame::setViewSize(const CRect& rect, bool doInvalid)
{
    CView::setViewSize(rect, false);
    if (platformView) platformView->setFrameSize(localRect());
    if (doInvalid) invalid();
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (focusView)
    {
        // A click beside the focus view ends its editing (a text field commits).
        CPoint local(where);
        focusView->frameToLocal(local);
        if (!focusView->getViewSize().pointInside(local)) setFocusView(nullptr);
    }
    if (modalView)
    {
        endGesture(where, buttons);
        if (!isInModalView(where)) return kMouseEventNotHandled;
        const CMouseEventResult result = modalView->onMouseDown(where, buttons);
        if (result == kMouseEventHandled) mouseDownView = modalView;
        return result;
    }
    return routeMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    return routeMouseUp(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    return routeMouseMoved(where, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    if (!focusView) return -1;
    CView* view = focusView;
    view->remember();
    const int32_t result = view->onKeyDown(keyCode);
    view->forget();
    return result == 1 ? 1 : -1;
}

void CFrame::invalid()
{
    setDirty(false);
    invalidRect(localRect());
}

void CFrame::invalidRect(const CRect& rect)
{
    if (platformView) platformView->invalidRect(rect);
}

void CFrame::idle()
{
    invalidateDirtyViews();
    if (!windowView) return;
    remember(); // an event from the window may close the editor
    windowView->service();
    forget();
}

void CFrame::setFocusView(CView* view)
{
    if (inDestructor || view == focusView) return;
    CView* previous = focusView;
    focusView = view; // set first: looseFocus may ask who has the focus now
    if (previous) previous->looseFocus();
    if (focusView == view && view) view->takeFocus();
}

bool CFrame::setModalView(CView* view)
{
    if (view && modalView) return false;
    modalView = view;
    return true;
}

void CFrame::beginEdit(int32_t index)
{
    if (editor) editor->beginEdit(index);
}

void CFrame::endEdit(int32_t index)
{
    if (editor) editor->endEdit(index);
}

int32_t CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : -1;
}

void CFrame::viewRemoved(CView* view)
{
    if (focusView == view) focusView = nullptr;
    if (modalView == view) modalView = nullptr;
    if (mouseDownView == view) mouseDownView = nullptr;
}

void CFrame::platformDraw(cairo_t* cr, const CRect& updateRect)
{
    CDrawContext context(cr, localRect());
    drawRect(&context, updateRect);
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons)
{
    remember(); // a listener may close the editor during the event
    const CMouseEventResult result = onMouseDown(where, buttons);
    forget();
    return result;
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons)
{
    remember(); // a listener may close the editor during the event
    const CMouseEventResult result = onMouseMoved(where, buttons);
    forget();
    return result;
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons)
{
    remember(); // a listener may close the editor during the event
    const CMouseEventResult result = onMouseUp(where, buttons);
    forget();
    return result;
}

bool CFrame::platformOnDrop(CDragContainer* drag, const CPoint& where)
{
    remember(); // a listener may close the editor during the event
    const bool result = onDrop(drag, where);
    forget();
    return result;
}

void CFrame::platformOnDragEnter(CDragContainer* drag, const CPoint& where)
{
    onDragEnter(drag, where);
}

void CFrame::platformOnDragLeave(CDragContainer* drag, const CPoint& where)
{
    onDragLeave(drag, where);
}

void CFrame::platformOnDragMove(CDragContainer* drag, const CPoint& where)
{
    onDragMove(drag, where);
}

void CFrame::platformAdvanceTime(uint32_t milliseconds)
{
    remember(); // a timer may close the editor
    TimerScheduler::instance().advance(milliseconds);
    idle();
    forget();
}

void CFrame::platformViewClosed()
{
    platformView = nullptr;
}

} // namespace VSTGUI
