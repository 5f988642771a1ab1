#pragma once

#include "CViewContainer.h"
#include "IPlatformFrameCallback.h"

#include <memory>

namespace VSTGUI
{

class FrameTableView;
class X11FrameView;
class PlatformView;
class VSTGUIEditorInterface;

// The top view of an editor, embedded in a native parent view. On Linux the native parent
// is a host's AAX_LinuxNativeView (see AAX_LinuxNativeView.h): an X11 window or the host's
// frame table. A null pointer, a structure too small or an unknown API gives a frame that is
// not shown anywhere but still draws into a context it is handed.
//
// The frame's children use coordinates relative to its top-left corner, whatever its
// position in the parent window. It owns its children, keeps the keyboard focus and
// tells the editor about control edits.
class CFrame : public CViewContainer, public IPlatformFrameCallback
{
public:
    // `systemWindow` is borrowed; `editor` may be null and is borrowed too.
    CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;

    // Moves the frame inside its parent window (its children do not move with respect to
    // the frame).
    virtual bool setPosition(CCoord x, CCoord y);
    // Resizes the frame; the editor may refuse in beforeSizeChange.
    virtual bool setSize(CCoord width, CCoord height);
    // The frame's rectangle in its parent window; false for a null pointer.
    virtual bool getSize(CRect* size) const;
    virtual bool getSize(CRect& size) const;

    bool platformOnKeyDown(VstKeyCode& keyCode) override;

    void draw(CDrawContext* context) override;
    // With a null context the frame draws into its platform view's image.
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void setViewSize(const CRect& rect, bool invalid = true) override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    // The focus view gets the key first; 1 when a view used it, -1 otherwise.
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    void invalid() override;
    void invalidRect(const CRect& rect) override;

    // Redraws what changed: dirty views are invalidated into the platform view. In a host's
    // X11 window it also services the window: events, timers, what is on screen.
    void idle();

    // Gives the keyboard focus to `view` (null: nobody); the previous focus view is told
    // first with looseFocus.
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }
    // While a modal view is set, mouse and drag events reach only that view.
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }

    void beginEdit(int32_t index);
    void endEdit(int32_t index);
    int32_t getKnobMode() const;
    VSTGUIEditorInterface* getEditor() const { return editor; }
    // The platform view the frame is embedded in (made for the host's native view), or null.
    PlatformView* getPlatformView() const { return platformView; }
    void* getSystemWindow() const { return systemWindow; }

    // True while the frame is being destroyed: views leave without calling listeners.
    bool isClosing() const { return inDestructor; }
    // Told by a view that is leaving the view tree.
    void viewRemoved(CView* view);

    void platformDraw(cairo_t* cr, const CRect& updateRect) override;
    CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool platformOnDrop(CDragContainer* drag, const CPoint& where) override;
    void platformOnDragEnter(CDragContainer* drag, const CPoint& where) override;
    void platformOnDragLeave(CDragContainer* drag, const CPoint& where) override;
    void platformOnDragMove(CDragContainer* drag, const CPoint& where) override;
    void platformAdvanceTime(uint32_t milliseconds) override;
    void platformViewClosed() override;

protected:
    CPoint childOrigin() const override { return CPoint(0, 0); }
    CRect localRect() const { return CRect(0, 0, size.width(), size.height()); }
    bool isInModalView(const CPoint& where) const;

private:
    // Makes the platform view for a host's AAX_LinuxNativeView, if it is one this toolkit knows.
    void embedIn(const void* systemWindow);

    void* systemWindow;
    VSTGUIEditorInterface* editor;
    PlatformView* platformView = nullptr;
    // The platform view made for a host's frame table, when the native parent is one.
    std::unique_ptr<FrameTableView> tableView;
    // The platform view made for a host's X11 window, when the native parent is one.
    std::unique_ptr<X11FrameView> windowView;
    CView* focusView = nullptr;
    CView* modalView = nullptr;
    bool inDestructor = false;
};

} // namespace VSTGUI
