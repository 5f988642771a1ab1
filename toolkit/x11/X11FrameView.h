#pragma once

#include "AAX_LinuxNativeView.h"
#include "PlatformView.h"

#include <chrono>
#include <memory>

typedef struct _XDisplay Display;
union _XEvent;

namespace VSTGUI
{

class X11MenuWindow;
class X11PictureCopy;
class X11TextFieldWindow;

// A frame's platform view inside a host's X11 window: a child window of the host's, on a
// display connection of its own. The frame draws offscreen and each finished picture is
// copied to the window; mouse and keys come from the server, option menus open as pop-up
// windows and text fields are edited in place. Nothing runs on its own: service(), which
// the host's periodic timer reaches through the frame's idle, handles what the server sent,
// lets time pass for the toolkit's timers and redraws what changed.
class X11FrameView : private IPlatformViewObserver
{
public:
    // Null when the display cannot be opened or the host's window does not exist.
    static std::unique_ptr<X11FrameView> open(const AAX_LinuxNativeView& native);
    ~X11FrameView() override;
    X11FrameView(const X11FrameView&) = delete;
    X11FrameView& operator=(const X11FrameView&) = delete;

    PlatformView& getView() { return view; }
    // Makes and shows the child window once a frame is attached (its size is known then).
    void announce();
    void service();

private:
    X11FrameView(Display* display, unsigned long parent, const X11PictureCopy& copier);
    void handle(const _XEvent& event);
    void handleFrameEvent(const _XEvent& event);
    // A mouse button (a double click when the same button comes again soon, close by).
    void handleButtonPress(const _XEvent& event);
    // A key: it edits the open text field, if any, else goes to the frame.
    void handleKeyPress(const _XEvent& event);
    void handleMenuEvent(const _XEvent& event);
    void copyToWindow();
    void letTimePass();

    void platformViewRendered(const ImageSurface& image) override;
    void platformViewMenuChanged(const PlatformMenuRequest* menu) override;
    void platformViewTextEditChanged(const std::string* text) override;
    // The window follows at once, so that input meant for the new area reaches it.
    void platformViewResized(const CRect& size) override;

    Display* display;
    const unsigned long parent;
    unsigned long window = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    std::unique_ptr<X11PictureCopy> copier;
    PlatformView view;
    std::unique_ptr<X11MenuWindow> menu;
    std::unique_ptr<X11TextFieldWindow> textField;
    std::chrono::steady_clock::time_point lastService;
    // The last press, to tell a double click.
    unsigned long lastPressTime = 0;
    unsigned lastPressButton = 0;
    int lastPressX = 0;
    int lastPressY = 0;
    bool servicing = false;
};

} // namespace VSTGUI
