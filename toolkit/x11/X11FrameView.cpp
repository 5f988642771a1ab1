#include "X11FrameView.h"

#include "X11ErrorTrap.h"
#include "X11Input.h"
#include "X11MenuWindow.h"
#include "X11PictureCopy.h"
#include "X11TextFieldWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace VSTGUI
{
namespace
{

constexpr long kFrameEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | KeyPressMask | StructureNotifyMask;
// Two presses of one button this close together make a double click.
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlop = 4; // pixels
// Timers move on by at most this much at once, e.g. after the host paused its timer.
constexpr int64_t kLongestStepMs = 1000;
constexpr int kConnectAttempts = 10;
constexpr auto kConnectRetryDelay = std::chrono::milliseconds(10);

} // namespace

std::unique_ptr<X11FrameView> X11FrameView::open(const AAX_LinuxNativeView& native)
{
    if (native.window == 0) return nullptr;
    // A busy server can turn a connection away for a moment (its backlog full): try again
    // briefly before giving up on the window.
    Display* display = XOpenDisplay(native.display);
    for (int attempt = 1; !display && attempt < kConnectAttempts; ++attempt)
    {
        std::this_thread::sleep_for(kConnectRetryDelay);
        display = XOpenDisplay(native.display);
    }
    if (!display) return nullptr;
    XWindowAttributes parent{};
    bool parentExists = false;
    {
        X11ErrorTrap trap(display);
        parentExists = XGetWindowAttributes(display, native.window, &parent) != 0;
        parentExists = trap.sync() == 0 && parentExists;
    }
    if (!parentExists)
    {
        XCloseDisplay(display);
        return nullptr;
    }
    // The child window and its text fields take the parent's visual.
    return std::unique_ptr<X11FrameView>(new X11FrameView(
        display, native.window, X11PictureCopy(display, parent.visual, parent.depth)));
}

X11FrameView::X11FrameView(Display* display, unsigned long parent, const X11PictureCopy& copier)
    : display(display), parent(parent), copier(std::make_unique<X11PictureCopy>(copier)),
      lastService(std::chrono::steady_clock::now())
{
    view.setObserver(this);
}

X11FrameView::~X11FrameView()
{
    view.setObserver(nullptr);
    {
        X11ErrorTrap trap(display);
        menu.reset();
        textField.reset();
        if (window) XDestroyWindow(display, window);
    }
    XCloseDisplay(display);
}

void X11FrameView::announce()
{
    if (window || !view.hasFrame()) return;
    const CRect size = view.getFrameRect();
    X11ErrorTrap trap(display);
    XSetWindowAttributes attributes{};
    attributes.event_mask = kFrameEvents;
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    window =
        XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(std::max(1.0, size.getWidth())),
                      static_cast<unsigned>(std::max(1.0, size.getHeight())), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &attributes);
    XMapWindow(display, window);
    if (trap.sync() != 0) window = 0; // the host's window went away meanwhile
}

void X11FrameView::service()
{
    if (servicing) return; // time passing below reaches the frame's idle again
    servicing = true;
    {
        X11ErrorTrap trap(display);
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        letTimePass();
        view.renderIfNeeded();
    }
    servicing = false;
}

void X11FrameView::letTimePass()
{
    const auto now = std::chrono::steady_clock::now();
    const int64_t passed =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - lastService).count();
    if (passed <= 0) return;
    lastService = now;
    view.advanceTime(static_cast<uint32_t>(std::min(passed, kLongestStepMs)));
}

void X11FrameView::handle(const XEvent& event)
{
    if (menu && event.xany.window == menu->getWindow())
        handleMenuEvent(event);
    else if (textField && event.xany.window == textField->getWindow())
    {
        if (event.type == Expose && event.xexpose.count == 0) textField->draw();
    }
    else if (window && event.xany.window == window)
        handleFrameEvent(event);
}

void X11FrameView::handleMenuEvent(const XEvent& event)
{
    int32_t chosen = -1;
    switch (menu->handle(event, &chosen))
    {
    case X11MenuWindow::Outcome::Chosen:
        view.chooseMenuEntry(chosen); // closing the menu destroys its window
        break;
    case X11MenuWindow::Outcome::Cancelled:
        view.cancelMenu();
        break;
    case X11MenuWindow::Outcome::Nothing:
        break;
    }
}

void X11FrameView::handleFrameEvent(const XEvent& event)
{
    switch (event.type)
    {
    case Expose:
        if (event.xexpose.count > 0) return;
        if (view.getImage().isEmpty())
            view.render();
        else
            copyToWindow();
        return;
    case ButtonPress:
        handleButtonPress(event);
        return;
    case ButtonRelease:
    {
        const XButtonEvent& release = event.xbutton;
        if (release.button > Button3) return;
        view.mouseUp(CPoint(release.x, release.y),
                     X11Input::buttons(release.state, release.button));
        return;
    }
    case MotionNotify:
    {
        // Only the latest position matters when several moves queued up.
        XEvent latest = event;
        while (XCheckTypedWindowEvent(display, window, MotionNotify, &latest))
        {
        }
        view.mouseMoved(CPoint(latest.xmotion.x, latest.xmotion.y),
                        X11Input::buttons(latest.xmotion.state, 0));
        return;
    }
    case KeyPress:
        handleKeyPress(event);
        return;
    default:
        return;
    }
}

void X11FrameView::handleButtonPress(const XEvent& event)
{
    const XButtonEvent& press = event.xbutton;
    if (press.button > Button3) return; // wheel steps: the editor has nothing to scroll
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    CButtonState buttons = X11Input::buttons(press.state, press.button);
    if (press.button == lastPressButton && press.time - lastPressTime < kDoubleClickMs &&
        std::abs(press.x - lastPressX) <= kDoubleClickSlop &&
        std::abs(press.y - lastPressY) <= kDoubleClickSlop)
        buttons |= kDoubleClick;
    lastPressButton = press.button;
    lastPressTime = press.time;
    lastPressX = press.x;
    lastPressY = press.y;
    view.mouseDown(CPoint(press.x, press.y), buttons);
}

void X11FrameView::handleKeyPress(const XEvent& event)
{
    XKeyEvent key = event.xkey;
    char typed[16];
    KeySym keysym = NoSymbol;
    XLookupString(&key, typed, sizeof(typed), &keysym, nullptr);
    const VstKeyCode code = X11Input::key(keysym, key.state);
    if (textField && textField->isSelected())
    {
        // The selected text goes: a character replaces it, Back deletes it.
        const bool replaces = code.character != 0 || code.virt == VKEY_BACK;
        textField->unselect();
        if (replaces) view.setEditText("");
        if (code.virt == VKEY_BACK)
        {
            textField->setText(view.getEditText());
            return;
        }
    }
    view.keyDown(code);
    if (textField) textField->setText(view.getEditText());
}

void X11FrameView::copyToWindow()
{
    const ImageSurface& image = view.getImage();
    if (!window || image.isEmpty()) return;
    X11ErrorTrap trap(display); // syncs: the host may grab the window as soon as we return
    const int width = image.getWidth();
    const int height = image.getHeight();
    if (width != windowWidth || height != windowHeight)
    {
        XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
        windowWidth = width;
        windowHeight = height;
    }
    copier->put(window, image.getCairoSurface());
}

void X11FrameView::platformViewRendered(const ImageSurface&)
{
    copyToWindow();
}

void X11FrameView::platformViewResized(const CRect& size)
{
    if (!window || size.isEmpty()) return;
    X11ErrorTrap trap(display);
    windowWidth = static_cast<int>(size.getWidth());
    windowHeight = static_cast<int>(size.getHeight());
    XResizeWindow(display, window, static_cast<unsigned>(windowWidth),
                  static_cast<unsigned>(windowHeight));
}

void X11FrameView::platformViewMenuChanged(const PlatformMenuRequest* request)
{
    X11ErrorTrap trap(display);
    menu.reset();
    if (request && window) menu = std::make_unique<X11MenuWindow>(display, window, *request);
}

void X11FrameView::platformViewTextEditChanged(const std::string* text)
{
    X11ErrorTrap trap(display);
    if (!text || !window)
    {
        textField.reset();
        return;
    }
    if (textField)
        textField->setText(*text);
    else
        textField = std::make_unique<X11TextFieldWindow>(display, window, *copier,
                                                         view.getTextEditRect(), *text);
}

} // namespace VSTGUI
