#include "X11MenuWindow.h"

#include "AAX_LinuxNativeView.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "ImageSurface.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
namespace
{

constexpr int kEntryHeight = AAX_eLinuxMenuEntryHeight;
constexpr int kTextInset = 18; // room for the mark of the current entry
constexpr int kRightInset = 10;
const CColor kBackground(246, 246, 246, 255);
const CColor kHighlight(60, 110, 200, 255);
const CColor kDisabled(150, 150, 150, 255);

// The widest title, measured with the font the entries are drawn in.
int widestTitle(const PlatformMenuRequest& request)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    CDrawContext context(cr, CRect(0, 0, 1, 1));
    context.setFont(kNormalFont);
    double widest = 0;
    for (const PlatformMenuRequest::Entry& entry : request.entries)
        widest = std::max(widest, context.getStringWidth(entry.title.c_str()));
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return static_cast<int>(std::ceil(widest));
}

} // namespace

X11MenuWindow::X11MenuWindow(Display* display, unsigned long frameWindow,
                             const PlatformMenuRequest& request)
    : display(display), copier(display, DefaultVisual(display, DefaultScreen(display)),
                               DefaultDepth(display, DefaultScreen(display))),
      request(request)
{
    const int count = static_cast<int>(request.entries.size());
    width = std::max(static_cast<int>(request.where.getWidth()),
                     widestTitle(request) + kTextInset + kRightInset);
    height = std::max(1, count * kEntryHeight);
    highlighted = request.isSelectable(request.currentIndex) ? request.currentIndex : -1;

    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, frameWindow, root, static_cast<int>(request.where.left),
                          static_cast<int>(request.where.bottom), &x, &y, &child);
    // Kept on screen: below the control where it fits, else above it.
    const int screenHeight = DisplayHeight(display, screen);
    if (y + height > screenHeight)
        y = std::max(0, y - height - static_cast<int>(request.where.getHeight()));
    x = std::max(0, std::min(x, DisplayWidth(display, screen) - width));

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            KeyPressMask | StructureNotifyMask;
    window =
        XCreateWindow(display, root, x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    std::string titles;
    for (const PlatformMenuRequest::Entry& entry : request.entries)
        titles += entry.title + '\n';
    XChangeProperty(display, window, XInternAtom(display, AAX_LINUX_MENU_PROPERTY, False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(titles.data()),
                    static_cast<int>(titles.size()));
    XStoreName(display, window, "menu");
    XMapRaised(display, window);
    XSync(display, False);
    grab();
}

X11MenuWindow::~X11MenuWindow()
{
    if (grabbed)
    {
        XUngrabPointer(display, CurrentTime);
        XUngrabKeyboard(display, CurrentTime);
    }
    XDestroyWindow(display, window);
    XFlush(display);
}

void X11MenuWindow::grab()
{
    if (grabbed) return;
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    grabbed = XGrabPointer(display, window, False, mask, GrabModeAsync, GrabModeAsync, None, None,
                           CurrentTime) == GrabSuccess;
    if (grabbed) XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
}

int32_t X11MenuWindow::entryAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    return y / kEntryHeight;
}

void X11MenuWindow::moveHighlight(int32_t step)
{
    const int32_t count = static_cast<int32_t>(request.entries.size());
    int32_t next = highlighted;
    for (int32_t tries = 0; tries < count; ++tries)
    {
        next = (next + step + count) % count;
        if (request.isSelectable(next)) break;
    }
    if (request.isSelectable(next)) highlighted = next;
}

X11MenuWindow::Outcome X11MenuWindow::handle(const XEvent& event, int32_t* chosen)
{
    switch (event.type)
    {
    case Expose:
        if (event.xexpose.count == 0) draw();
        grab(); // a pop-up not yet viewable could not take the pointer when it opened
        return Outcome::Nothing;
    case MotionNotify:
    {
        const int32_t entry = entryAt(event.xmotion.x, event.xmotion.y);
        if (entry != highlighted && (entry < 0 || request.isSelectable(entry)))
        {
            highlighted = entry;
            draw();
        }
        return Outcome::Nothing;
    }
    case ButtonPress:
        return entryAt(event.xbutton.x, event.xbutton.y) < 0 ? Outcome::Cancelled
                                                             : Outcome::Nothing;
    case ButtonRelease:
    {
        // The release of the click that opened the menu lands outside it and is ignored.
        const int32_t entry = entryAt(event.xbutton.x, event.xbutton.y);
        if (!request.isSelectable(entry)) return Outcome::Nothing;
        *chosen = entry;
        return Outcome::Chosen;
    }
    case KeyPress:
    {
        const KeySym key = XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0);
        if (key == XK_Escape) return Outcome::Cancelled;
        if ((key == XK_Return || key == XK_KP_Enter) && request.isSelectable(highlighted))
        {
            *chosen = highlighted;
            return Outcome::Chosen;
        }
        if (key == XK_Up || key == XK_Down)
        {
            moveHighlight(key == XK_Up ? -1 : 1);
            draw();
        }
        return Outcome::Nothing;
    }
    default:
        return Outcome::Nothing;
    }
}

void X11MenuWindow::draw()
{
    ImageSurface picture(width, height);
    if (picture.isEmpty()) return;
    cairo_t* cr = cairo_create(picture.getCairoSurface());
    CDrawContext context(cr, CRect(0, 0, width, height));
    context.setFont(kNormalFont);
    context.setFillColor(kBackground);
    context.drawRect(CRect(0, 0, width, height), kDrawFilled);
    for (size_t i = 0; i < request.entries.size(); ++i)
    {
        const PlatformMenuRequest::Entry& entry = request.entries[i];
        const int32_t index = static_cast<int32_t>(i);
        const CRect row(0, index * kEntryHeight, width, (index + 1) * kEntryHeight);
        if (entry.separator)
        {
            context.setFrameColor(kDisabled);
            context.drawLine(CPoint(4, row.top + kEntryHeight / 2),
                             CPoint(width - 4, row.top + kEntryHeight / 2));
            continue;
        }
        const bool lit = index == highlighted;
        if (lit)
        {
            context.setFillColor(kHighlight);
            context.drawRect(row, kDrawFilled);
        }
        context.setFontColor(lit ? kWhiteCColor
                                 : (request.isSelectable(index) ? kBlackCColor : kDisabled));
        if (index == request.currentIndex)
            context.drawString("\xe2\x80\xa2",
                               CRect(row.left + 4, row.top, row.left + kTextInset, row.bottom),
                               kLeftText);
        context.drawString(entry.title.c_str(),
                           CRect(row.left + kTextInset, row.top, row.right - 2, row.bottom),
                           kLeftText);
    }
    context.setFrameColor(kDisabled);
    context.drawRect(CRect(0, 0, width, height));
    cairo_destroy(cr);
    copier.put(window, picture.getCairoSurface());
    XFlush(display);
}

} // namespace VSTGUI
