// The editor in a real X11 window on a virtual display, driven with a person's input (XTest
// events, as a mouse and keyboard make them): what the user does reaches the parameters as the
// scripted path makes it, the window shows what the offscreen rendering shows, and the window
// manager's close saves the state.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "AAX_LinuxNativeView.h"
#include "CompanionProcess.h"
#include "TempFolder.h"
#include "VirtualDisplay.h"
#include "X11Windows.h"

using orv::host::validator::CompanionProcess;
using orv::test::TempFolder;
using orv::test::VirtualDisplay;

namespace
{

// The real companion offers seven tools: the window is 540 x (40 * 7 + 240).
constexpr int kWidth = 540;
constexpr int kHeight = 520;
constexpr int kToolCheckBox[2] = {50, 90};      // Gain's switch
constexpr int kDenoiseMenu[2] = {400, 170};     // the third tool's preset menu
constexpr int kLowerBoundField[2] = {275, 410}; // the range row's "From" field

// Polls `condition` for up to ten seconds.
bool Eventually(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// orvendal-host run as a child on the virtual display, its output in a file; killed by its
// pid if it is still running when the object goes.
class HostProgram
{
public:
    HostProgram(const std::vector<std::string>& arguments, const std::string& display,
                const std::string& output)
    {
        mPid = fork();
        if (mPid != 0) return;
        setenv("DISPLAY", display.c_str(), 1);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(ORV_HOST_EXE)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(ORV_HOST_EXE, argv.data());
        _exit(127);
    }
    ~HostProgram()
    {
        if (mPid <= 0) return;
        kill(mPid, SIGKILL);
        waitpid(mPid, nullptr, 0);
    }
    // The exit code once it ended, -1 when it runs on past ten seconds.
    int Wait()
    {
        int status = 0;
        if (!Eventually([&] { return waitpid(mPid, &status, WNOHANG) == mPid; })) return -1;
        mPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t mPid = -1;
};

// The test's own connection to the display: finds windows and acts as the user.
class User
{
public:
    explicit User(const std::string& display) : mDisplay(XOpenDisplay(display.c_str()))
    {
        XSetErrorHandler(&orv::test::IgnoreXError);
    }
    ~User()
    {
        if (mDisplay) XCloseDisplay(mDisplay);
    }
    bool Connected() const { return mDisplay != nullptr; }

    std::vector<Window> Children(Window window) const
    {
        return orv::test::ChildWindows(mDisplay, window);
    }
    std::string Title(Window window) const
    {
        char* name = nullptr;
        std::string title;
        if (XFetchName(mDisplay, window, &name) && name) title = name;
        if (name) XFree(name);
        return title;
    }
    std::pair<int, int> Size(Window window) const
    {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(mDisplay, window, &attributes)) return {0, 0};
        return {attributes.width, attributes.height};
    }
    bool Viewable(Window window) const
    {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(mDisplay, window, &attributes) &&
               attributes.map_state == IsViewable;
    }
    // A viewable top-level window titled `title`, 0 when there is none.
    Window TopLevel(const std::string& title) const
    {
        for (Window window : Children(DefaultRootWindow(mDisplay)))
            if (Title(window) == title && Viewable(window)) return window;
        return 0;
    }
    bool Property(Window window, const char* name, std::string* value) const
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(mDisplay, window, XInternAtom(mDisplay, name, False), 0, 1 << 16, False,
                           AnyPropertyType, &type, &format, &count, &after, &data);
        const bool found = type != None;
        if (found && value) value->assign(reinterpret_cast<char*>(data), count);
        if (data) XFree(data);
        return found;
    }
    // The open pop-up menu, 0 when none is open.
    Window Menu() const
    {
        for (Window window : Children(DefaultRootWindow(mDisplay)))
            if (Property(window, AAX_LINUX_MENU_PROPERTY, nullptr) && Viewable(window))
                return window;
        return 0;
    }
    // The text field open in the plug-in's window, 0 when none is.
    Window TextField(Window topLevel) const
    {
        for (Window frame : Children(topLevel))
            for (Window field : Children(frame))
                if (Property(field, AAX_LINUX_TEXT_FIELD_PROPERTY, nullptr)) return field;
        return 0;
    }
    void Click(Window window, int x, int y)
    {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(mDisplay, DefaultScreen(mDisplay), rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(mDisplay, Button1, True, CurrentTime);
        XTestFakeButtonEvent(mDisplay, Button1, False, CurrentTime);
        XSync(mDisplay, False);
    }
    void Key(KeySym keysym)
    {
        const KeyCode code = XKeysymToKeycode(mDisplay, keysym);
        XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
        XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
        XSync(mDisplay, False);
    }
    // What a window manager sends when the user closes the window.
    void Close(Window window)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(mDisplay, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(mDisplay, window, False, NoEventMask, &event);
        XSync(mDisplay, False);
    }
    // The window's pixels as 0xRRGGBB, read back from the screen.
    std::vector<uint32_t> Grab(Window window, int width, int height)
    {
        std::vector<uint32_t> pixels;
        XImage* image = XGetImage(mDisplay, window, 0, 0, width, height, AllPlanes, ZPixmap);
        if (!image) return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffff);
        XDestroyImage(image);
        return pixels;
    }

private:
    Display* mDisplay;
};

// A PNG's pixels as 0xRRGGBB over black (the premultiplied colour); empty when unreadable.
std::vector<uint32_t> PngPixels(const std::string& path, int* width, int* height)
{
    std::vector<uint32_t> pixels;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
    {
        *width = cairo_image_surface_get_width(surface);
        *height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < *height; ++y)
            for (int x = 0; x < *width; ++x)
                pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] &
                                 0xffffff);
    }
    cairo_surface_destroy(surface);
    return pixels;
}

std::string Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t count = 0;
    for (size_t i = 0; i < a.size(); ++i)
        count += a[i] != b[i];
    return count;
}

TEST(EditorWindow, AUsersClicksMenuAndTypingReachTheParametersAndClosingSavesTheState)
{
    VirtualDisplay display;
    if (!display.Ready()) GTEST_SKIP() << "Xvfb is not installed: no virtual display";
    CompanionProcess companion(ORV_COMPANION_EXE);
    ASSERT_TRUE(companion.Ready());
    TempFolder folder;
    User user(display.Name());
    ASSERT_TRUE(user.Connected());

    HostProgram host(
        {"editor", "--module", ORV_BUNDLE_DIR, "--save-state", folder / "window.state"},
        display.Name(), folder / "window.txt");
    Window window = 0;
    ASSERT_TRUE(Eventually([&] { return (window = user.TopLevel("Orvendal QV")) != 0; }))
        << Bytes(folder / "window.txt");
    ASSERT_TRUE(Eventually([&] { return !user.Children(window).empty(); }))
        << "the plug-in made no window of its own in the host's";
    EXPECT_EQ(user.Size(window), std::make_pair(kWidth, kHeight));

    EXPECT_EQ(user.Size(user.Children(window).front()), std::make_pair(kWidth, kHeight))
        << "the plug-in's window covers the host's";
    user.Click(window, kToolCheckBox[0], kToolCheckBox[1]);
    user.Click(window, kDenoiseMenu[0], kDenoiseMenu[1]);
    Window menu = 0;
    ASSERT_TRUE(Eventually([&] { return (menu = user.Menu()) != 0; })) << "no pop-up menu opened";
    std::string titles;
    ASSERT_TRUE(user.Property(menu, AAX_LINUX_MENU_PROPERTY, &titles));
    EXPECT_EQ(titles, "Light\nMedium\nStrong\n");
    user.Click(menu, 20, 2 * AAX_eLinuxMenuEntryHeight + AAX_eLinuxMenuEntryHeight / 2);
    ASSERT_TRUE(Eventually([&] { return user.Menu() == 0; })) << "choosing left the menu open";

    user.Click(window, kLowerBoundField[0], kLowerBoundField[1]);
    Window field = 0;
    ASSERT_TRUE(Eventually([&] { return (field = user.TextField(window)) != 0; }))
        << "no text field opened in place";
    for (KeySym key : {XK_3, XK_0, XK_0})
        user.Key(key);
    std::string typed;
    ASSERT_TRUE(Eventually(
        [&]
        { return user.Property(field, AAX_LINUX_TEXT_FIELD_PROPERTY, &typed) && typed == "300"; }))
        << "the field shows \"" << typed
        << "\": the text it opened with is replaced by what is typed";
    user.Key(XK_Return);
    ASSERT_TRUE(Eventually([&] { return user.TextField(window) == 0; }))
        << "Return left the field open";

    // The same actions, scripted without a display, give the same picture and state.
    const std::string headlessPng = folder / "headless.png";
    const std::string script = std::string("DISPLAY= '") + ORV_HOST_EXE + "' editor --module '" +
                               ORV_BUNDLE_DIR + "' --headless --png '" + headlessPng +
                               "' --click 50,90 --menu 3:Strong --type min:300 --save-state '" +
                               (folder / "headless.state") + "' > /dev/null";
    ASSERT_EQ(std::system(script.c_str()), 0) << script;
    int width = 0, height = 0;
    const std::vector<uint32_t> expected = PngPixels(headlessPng, &width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    size_t differing = expected.size();
    EXPECT_TRUE(Eventually(
        [&]
        {
            differing = Differences(user.Grab(window, width, height), expected);
            return differing == 0;
        }))
        << differing << " pixels of the window differ from the offscreen rendering";

    user.Close(window);
    EXPECT_EQ(host.Wait(), 0) << "the window manager's close ends the editor: "
                              << Bytes(folder / "window.txt");
    EXPECT_EQ(Bytes(folder / "window.state"), Bytes(folder / "headless.state"))
        << "the state saved on close differs from the scripted one";
    EXPECT_FALSE(Bytes(folder / "window.state").empty());

    // Scripted on the display, the actions go in as real input too, and the picture is the
    // window read back from the screen.
    const std::string onDisplay = std::string("DISPLAY=") + display.Name() + " '" + ORV_HOST_EXE +
                                  "' editor --module '" + ORV_BUNDLE_DIR + "' --png '" +
                                  (folder / "display.png") +
                                  "' --click 50,90 --menu 3:Strong --type min:300 --save-state '" +
                                  (folder / "display.state") + "' > /dev/null";
    ASSERT_EQ(std::system(onDisplay.c_str()), 0) << onDisplay;
    EXPECT_EQ(Bytes(folder / "display.state"), Bytes(folder / "headless.state"));
    EXPECT_EQ(Differences(PngPixels(folder / "display.png", &width, &height), expected), 0u);
}

TEST(EditorWindow, WithoutADisplayOrAPictureTheCommandSaysSoInOneLine)
{
    TempFolder folder;
    const std::string command = std::string("DISPLAY= '") + ORV_HOST_EXE + "' editor --module '" +
                                ORV_BUNDLE_DIR + "' > '" + (folder / "out.txt") + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string said = Bytes(folder / "out.txt");
    EXPECT_EQ(said, "orvendal-host editor: no display: DISPLAY is not set; give --png FILE to "
                    "draw the editor without a display\n");
}

} // namespace
