#include "X11TextFieldWindow.h"

#include "AAX_LinuxNativeView.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "ImageSurface.h"

#include <X11/Xlib.h>
#include <cairo.h>

#include <algorithm>

namespace VSTGUI
{
namespace
{
constexpr int kInset = 4;
const CColor kBorder(60, 110, 200, 255);
const CColor kSelection(60, 110, 200, 255);
} // namespace

X11TextFieldWindow::X11TextFieldWindow(Display* display, unsigned long frameWindow,
                                       const X11PictureCopy& copier, const CRect& where,
                                       const std::string& text)
    : display(display), copier(copier), width(std::max(1, static_cast<int>(where.getWidth()))),
      height(std::max(1, static_cast<int>(where.getHeight())))
{
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.event_mask = ExposureMask;
    window = XCreateWindow(display, frameWindow, static_cast<int>(where.left),
                           static_cast<int>(where.top), static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XMapRaised(display, window);
    setText(text);
}

X11TextFieldWindow::~X11TextFieldWindow()
{
    XDestroyWindow(display, window);
    XFlush(display);
}

void X11TextFieldWindow::setText(const std::string& newText)
{
    text = newText;
    XChangeProperty(display, window, XInternAtom(display, AAX_LINUX_TEXT_FIELD_PROPERTY, False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
    draw();
}

void X11TextFieldWindow::unselect()
{
    if (!selected) return;
    selected = false;
    draw();
}

void X11TextFieldWindow::draw()
{
    ImageSurface picture(width, height);
    if (picture.isEmpty()) return;
    cairo_t* cr = cairo_create(picture.getCairoSurface());
    CDrawContext context(cr, CRect(0, 0, width, height));
    context.setFillColor(kWhiteCColor);
    context.drawRect(CRect(0, 0, width, height), kDrawFilled);
    context.setFrameColor(kBorder);
    context.drawRect(CRect(0, 0, width, height));
    context.setFont(kNormalFont);
    const double textWidth = context.getStringWidth(text.c_str());
    if (selected && !text.empty())
    {
        context.setFillColor(kSelection);
        context.drawRect(CRect(kInset - 1, 3, kInset + textWidth + 1, height - 3), kDrawFilled);
    }
    context.setFontColor(selected && !text.empty() ? kWhiteCColor : kBlackCColor);
    context.drawString(text.c_str(), CRect(kInset, 0, width - kInset, height), kLeftText);
    const double caret = kInset + textWidth + 1;
    context.setFrameColor(kBlackCColor);
    context.drawLine(CPoint(caret, 3), CPoint(caret, height - 3));
    cairo_destroy(cr);
    copier.put(window, picture.getCairoSurface());
    XFlush(display);
}

} // namespace VSTGUI
