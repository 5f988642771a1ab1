#include "HostX11View.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "AAX_Utf8.h"

namespace orv::host
{
namespace
{

// How long the host waits for the editor to answer input (a menu to open, a field to close).
constexpr auto kLongestWait = std::chrono::seconds(2);
constexpr auto kWaitStep = std::chrono::milliseconds(2);
// Rounds of the editor's timer after input that shows nothing the host can wait for.
constexpr int kSettleRounds = 4;
constexpr int kConnectAttempts = 10;

std::atomic<int> gErrors{0};

// The host owns its process: an X error (a window the editor already destroyed) is counted,
// never the end of the program, as Xlib's default handler would make it.
int CountError(Display*, XErrorEvent*)
{
    ++gErrors;
    return 0;
}

bool ReadUtf8Property(Display* display, Window window, const char* name, std::string* value)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, 1 << 16, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) != Success)
        return false;
    const bool found = type != None && format == 8;
    if (found && value) value->assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    return found;
}

std::vector<Window> Children(Display* display, Window window)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> list;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return list;
    list.assign(children, children + count);
    if (children) XFree(children);
    return list;
}

bool IsShown(Display* display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Reads one 8-bit channel out of pixels whose visual keeps it under `mask`; the shift is
// found once, not for every pixel.
class ChannelReader
{
public:
    explicit ChannelReader(unsigned long mask)
    {
        if (!mask) return;
        while (!((mask >> mShift) & 1))
            ++mShift;
        mBits = mask >> mShift;
    }
    uint32_t operator()(unsigned long pixel) const
    {
        return mBits ? static_cast<uint32_t>(((pixel >> mShift) & mBits) * 255 / mBits) : 0;
    }

private:
    int mShift = 0;
    unsigned long mBits = 0;
};

} // namespace

std::unique_ptr<HostX11View> HostX11View::Open(const char* displayName, std::string* error)
{
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name)
    {
        *error = "no display: DISPLAY is not set";
        return nullptr;
    }
    // A busy server can turn a connection away for a moment (its backlog full).
    Display* display = XOpenDisplay(name);
    for (int attempt = 1; !display && attempt < kConnectAttempts; ++attempt)
    {
        std::this_thread::sleep_for(kWaitStep * 5);
        display = XOpenDisplay(name);
    }
    if (!display)
    {
        *error = std::string("cannot open the display \"") + name + "\"";
        return nullptr;
    }
    int event = 0, firstError = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &firstError, &major, &minor))
    {
        XCloseDisplay(display);
        *error = std::string("the display \"") + name + "\" has no XTEST extension";
        return nullptr;
    }
    XSetErrorHandler(&CountError);
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = StructureNotifyMask;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0, 1, 1, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    return std::unique_ptr<HostX11View>(new HostX11View(display, window));
}

HostX11View::HostX11View(Display* display, unsigned long window)
    : mDisplay(display), mWindow(window),
      mDeleteAtom(XInternAtom(display, "WM_DELETE_WINDOW", False)),
      mNative{sizeof(AAX_LinuxNativeView), AAX_eLinuxNativeView_X11, window, DisplayString(display),
              nullptr}
{
    XStoreName(mDisplay, mWindow, kTitle);
    const std::string title = kTitle;
    XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_NAME", False),
                    XInternAtom(mDisplay, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XClassHint hint{const_cast<char*>("orvendal-host"), const_cast<char*>("Orvendal QV")};
    XSetClassHint(mDisplay, mWindow, &hint);
    Atom protocols[] = {mDeleteAtom};
    XSetWMProtocols(mDisplay, mWindow, protocols, 1);
    XSync(mDisplay, False);
}

HostX11View::~HostX11View()
{
    XDestroyWindow(mDisplay, mWindow);
    XCloseDisplay(mDisplay);
}

unsigned long HostX11View::FrameWindow() const
{
    const std::vector<Window> children = Children(mDisplay, mWindow);
    return children.empty() ? 0 : children.front();
}

bool HostX11View::HasFrame() const
{
    return FrameWindow() != 0;
}

uint32_t HostX11View::FrameWidth() const
{
    XWindowAttributes attributes{};
    const Window frame = FrameWindow();
    if (!frame || !XGetWindowAttributes(mDisplay, frame, &attributes)) return 0;
    return static_cast<uint32_t>(attributes.width);
}

uint32_t HostX11View::FrameHeight() const
{
    XWindowAttributes attributes{};
    const Window frame = FrameWindow();
    if (!frame || !XGetWindowAttributes(mDisplay, frame, &attributes)) return 0;
    return static_cast<uint32_t>(attributes.height);
}

bool HostX11View::Show(uint32_t width, uint32_t height)
{
    if (width == 0 || height == 0) return false;
    XResizeWindow(mDisplay, mWindow, width, height);
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = static_cast<int>(width);
    hints->min_height = hints->max_height = static_cast<int>(height);
    XSetWMNormalHints(mDisplay, mWindow, hints);
    XFree(hints);
    XMapRaised(mDisplay, mWindow);
    XSync(mDisplay, False);
    return WaitFor([this] { return IsShown(mDisplay, mWindow); });
}

bool HostX11View::Capture()
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(mDisplay, mWindow, &attributes) || attributes.map_state != IsViewable)
        return false;
    // Only what lies on the screen can be read back.
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(mDisplay, mWindow, attributes.root, 0, 0, &x, &y, &child);
    const int screenWidth = DisplayWidth(mDisplay, DefaultScreen(mDisplay));
    const int screenHeight = DisplayHeight(mDisplay, DefaultScreen(mDisplay));
    if (x < 0 || y < 0 || x + attributes.width > screenWidth ||
        y + attributes.height > screenHeight)
        return false;
    XImage* image = XGetImage(mDisplay, mWindow, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(attributes.width) * attributes.height);
    const ChannelReader red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    for (int row = 0; row < attributes.height; ++row)
        for (int column = 0; column < attributes.width; ++column)
        {
            const unsigned long pixel = XGetPixel(image, column, row);
            pixels[static_cast<size_t>(row) * attributes.width + column] =
                0xff000000u | red(pixel) << 16 | green(pixel) << 8 | blue(pixel);
        }
    XDestroyImage(image);
    SetPicture(reinterpret_cast<const uint8_t*>(pixels.data()),
               static_cast<uint32_t>(attributes.width), static_cast<uint32_t>(attributes.height),
               static_cast<size_t>(attributes.width) * sizeof(uint32_t));
    return true;
}

bool HostX11View::ClickIn(unsigned long window, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay), x, y, &rootX, &rootY,
                               &child))
        return false;
    XTestFakeMotionEvent(mDisplay, DefaultScreen(mDisplay), rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(mDisplay, Button1, True, CurrentTime);
    XTestFakeButtonEvent(mDisplay, Button1, False, CurrentTime);
    XSync(mDisplay, False);
    return true;
}

bool HostX11View::Click(double x, double y)
{
    if (!HasFrame() || !ClickIn(mWindow, static_cast<int>(x), static_cast<int>(y))) return false;
    Settle();
    return true;
}

bool HostX11View::FindMenu(unsigned long* window, std::vector<std::string>* titles)
{
    for (Window candidate : Children(mDisplay, DefaultRootWindow(mDisplay)))
    {
        std::string entries;
        if (!ReadUtf8Property(mDisplay, candidate, AAX_LINUX_MENU_PROPERTY, &entries) ||
            !IsShown(mDisplay, candidate))
            continue;
        *window = candidate;
        if (titles)
        {
            titles->clear();
            for (size_t start = 0, end; (end = entries.find('\n', start)) != std::string::npos;
                 start = end + 1)
                titles->push_back(entries.substr(start, end - start));
        }
        return true;
    }
    return false;
}

bool HostX11View::IsMenuOpen()
{
    Window window = 0;
    return FindMenu(&window, nullptr);
}

bool HostX11View::ChooseMenuEntry(int32_t index)
{
    Window window = 0;
    std::vector<std::string> titles;
    if (!FindMenu(&window, &titles) || index < 0 || static_cast<size_t>(index) >= titles.size())
        return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(mDisplay, window, &attributes)) return false;
    ClickIn(window, attributes.width / 2,
            index * AAX_eLinuxMenuEntryHeight + AAX_eLinuxMenuEntryHeight / 2);
    // An entry that cannot be chosen leaves the menu open.
    return WaitFor([this] { return !IsMenuOpen(); });
}

bool HostX11View::ChooseMenuEntry(const std::string& title)
{
    Window window = 0;
    std::vector<std::string> titles;
    if (!FindMenu(&window, &titles)) return false;
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i] == title) return ChooseMenuEntry(static_cast<int32_t>(i));
    return false;
}

bool HostX11View::CancelMenu()
{
    if (!IsMenuOpen()) return false;
    PressKey(XK_Escape);
    return WaitFor([this] { return !IsMenuOpen(); });
}

bool HostX11View::FindTextField(unsigned long* window, std::string* text)
{
    const Window frame = FrameWindow();
    if (!frame) return false;
    for (Window candidate : Children(mDisplay, frame))
        if (ReadUtf8Property(mDisplay, candidate, AAX_LINUX_TEXT_FIELD_PROPERTY, text))
        {
            *window = candidate;
            return true;
        }
    return false;
}

bool HostX11View::IsTextEditOpen()
{
    Window window = 0;
    std::string text;
    return FindTextField(&window, &text);
}

bool HostX11View::PressKey(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(mDisplay, keysym);
    if (code == 0) return false;
    // A character on the key's shifted level needs Shift held.
    const bool shifted = XkbKeycodeToKeysym(mDisplay, code, 0, 0) != keysym &&
                         XkbKeycodeToKeysym(mDisplay, code, 0, 1) == keysym;
    const KeyCode shift = XKeysymToKeycode(mDisplay, XK_Shift_L);
    if (shifted) XTestFakeKeyEvent(mDisplay, shift, True, CurrentTime);
    XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(mDisplay, shift, False, CurrentTime);
    XSync(mDisplay, False);
    return true;
}

bool HostX11View::Type(const std::string& text)
{
    for (size_t pos = 0; pos < text.size();)
    {
        const uint32_t character = AAX_NextUtf8CodePoint(text.data(), text.size(), &pos);
        // Printable ASCII keysyms are the characters themselves.
        if (character < 0x20 || character > 0x7e || !PressKey(character)) return false;
    }
    return true;
}

bool HostX11View::ReplaceEditText(const std::string& text)
{
    Window window = 0;
    std::string current;
    if (!FindTextField(&window, &current)) return false;
    for (size_t pos = 0; pos < current.size();)
    {
        AAX_NextUtf8CodePoint(current.data(), current.size(), &pos);
        if (!PressKey(XK_BackSpace)) return false;
    }
    if (!Type(text) || !PressKey(XK_Return)) return false;
    return WaitFor([this] { return !IsTextEditOpen(); });
}

bool HostX11View::AdvanceTime(uint32_t)
{
    // Time passes for real here; what is left is the host's own window.
    while (XPending(mDisplay) > 0)
    {
        XEvent event;
        XNextEvent(mDisplay, &event);
        if (event.type == ClientMessage &&
            static_cast<unsigned long>(event.xclient.data.l[0]) == mDeleteAtom)
            mCloseRequested = true;
    }
    return true;
}

bool HostX11View::WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Service();
        AdvanceTime(0);
        std::this_thread::sleep_for(kWaitStep);
    }
    return true;
}

void HostX11View::Settle()
{
    for (int round = 0; round < kSettleRounds; ++round)
    {
        std::this_thread::sleep_for(kWaitStep);
        Service();
    }
}

} // namespace orv::host
