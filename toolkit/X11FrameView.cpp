#include "X11FrameView.h"

#include "X11ErrorTrap.h"
#include "X11Input.h"
#include "X11MenuWindow.h"
#include "X11TextFieldWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
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
constexpr int kNativeByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst;
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
    auto view = std::unique_ptr<X11FrameView>(new X11FrameView(display, native.window));
    // The child window takes its parent's visual: where that is plain 24-bit RGB, finished
    // pictures go to the server as they are, with no conversion and no extension.
    const Visual* visual = parent.visual;
    view->directCopy = (parent.depth == 24 || parent.depth == 32) && visual &&
                       visual->c_class == TrueColor && visual->red_mask == 0xff0000 &&
                       visual->green_mask == 0x00ff00 && visual->blue_mask == 0x0000ff;
    view->visual = parent.visual;
    view->depth = parent.depth;
    return view;
}

X11FrameView::X11FrameView(Display* display, unsigned long parent)
    : display(display), parent(parent), lastService(std::chrono::steady_clock::now())
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
        return;
    }
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
        return;
    }
    default:
        return;
    }
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
    cairo_surface_t* source = image.getCairoSurface();
    cairo_surface_flush(source);
    if (directCopy)
    {
        // Premultiplied ARGB over an opaque window is the same RGB: the bytes go as they are.
        XImage* picture =
            XCreateImage(display, static_cast<Visual*>(visual), static_cast<unsigned>(depth),
                         ZPixmap, 0, reinterpret_cast<char*>(cairo_image_surface_get_data(source)),
                         static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                         cairo_image_surface_get_stride(source));
        if (!picture) return;
        picture->byte_order = kNativeByteOrder;
        XPutImage(display, window, DefaultGC(display, DefaultScreen(display)), picture, 0, 0, 0, 0,
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
        picture->data = nullptr; // the image's pixels stay the view's
        XDestroyImage(picture);
        return;
    }
    cairo_surface_t* surface =
        cairo_xlib_surface_create(display, window, static_cast<Visual*>(visual), width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
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
        textField =
            std::make_unique<X11TextFieldWindow>(display, window, view.getTextEditRect(), *text);
}

} // namespace VSTGUI
