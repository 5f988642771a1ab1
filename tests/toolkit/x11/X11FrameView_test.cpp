// A frame embedded in a host's X11 window (AAX_LinuxNativeView, X11 API) on a virtual display
// of the test's own: it draws into a child window of its own, translates the server's input,
// and lives through a host that destroys its window first or names one that does not exist.
// GoogleTest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include "AAX_LinuxNativeView.h"
#include "CFrame.h"
#include "VirtualDisplay.h"
#include "X11Input.h"
#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

using namespace VSTGUI;

namespace
{

TEST(X11Input, ButtonsModifiersAndKeysBecomeTheToolkitsInput)
{
    EXPECT_EQ(int32_t(X11Input::buttons(Button1Mask | ShiftMask, 0)), kLButton | kShift);
    // On a press the mask does not hold the pressed button yet.
    EXPECT_EQ(int32_t(X11Input::buttons(ControlMask, Button3)), kRButton | kControl);
    EXPECT_EQ(int32_t(X11Input::buttons(Mod1Mask | Button2Mask, 0)), kMButton | kAlt);

    EXPECT_EQ(X11Input::key(XK_Return, 0).virt, VKEY_RETURN);
    EXPECT_EQ(X11Input::key(XK_KP_Enter, 0).virt, VKEY_ENTER);
    EXPECT_EQ(X11Input::key(XK_BackSpace, 0).virt, VKEY_BACK);
    EXPECT_EQ(X11Input::key(XK_Escape, 0).virt, VKEY_ESCAPE);
    const VstKeyCode a = X11Input::key(XK_A, ShiftMask);
    EXPECT_EQ(a.character, 'A');
    EXPECT_EQ(a.modifier, MODIFIER_SHIFT);
    EXPECT_EQ(X11Input::key(XK_KP_7, 0).character, '7') << "the keypad types digits";
    EXPECT_EQ(X11Input::key(XK_eacute, 0).character, 0xe9);
    EXPECT_EQ(X11Input::key(0x10020ac, 0).character, 0x20ac) << "Unicode keysyms carry their code";
    const VstKeyCode f1 = X11Input::key(XK_F1, 0);
    EXPECT_EQ(f1.character, 0);
    EXPECT_EQ(f1.virt, 0) << "a key the editor has no use for is neither";
}

struct X11FrameViewOnDisplay : ::testing::Test
{
    void SetUp() override
    {
        if (!display.Ready()) GTEST_SKIP() << "Xvfb is not installed: no virtual display";
        connection = XOpenDisplay(display.Name().c_str());
        ASSERT_NE(connection, nullptr);
    }
    void TearDown() override
    {
        if (connection) XCloseDisplay(connection);
    }
    Window MakeWindow(unsigned width, unsigned height)
    {
        const Window window = XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0,
                                                  width, height, 0, 0, 0);
        XMapWindow(connection, window);
        XSync(connection, False);
        return window;
    }
    std::vector<Window> Children(Window window) const
    {
        return orv::test::ChildWindows(connection, window);
    }
    unsigned long PixelAt(Window window, int x, int y)
    {
        XImage* image = XGetImage(connection, window, x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xffffff : 0;
        if (image) XDestroyImage(image);
        return pixel;
    }

    orv::test::VirtualDisplay display;
    Display* connection = nullptr;
};

TEST_F(X11FrameViewOnDisplay, AFrameDrawsInAChildWindowAndOutlivesTheHostsWindow)
{
    const Window parent = MakeWindow(300, 200);
    const std::string name = display.Name();
    const AAX_LinuxNativeView native{sizeof(AAX_LinuxNativeView), AAX_eLinuxNativeView_X11, parent,
                                     name.c_str(), nullptr};
    auto* frame =
        new CFrame(CRect(0, 0, 300, 200), const_cast<AAX_LinuxNativeView*>(&native), nullptr);
    frame->setBackgroundColor(CColor(200, 30, 40, 255));
    ASSERT_NE(frame->getPlatformView(), nullptr);
    const std::vector<Window> children = Children(parent);
    ASSERT_EQ(children.size(), 1u) << "the frame makes one window of its own in the host's";

    frame->drawRect(nullptr, CRect(0, 0, 300, 200));
    EXPECT_EQ(PixelAt(parent, 150, 100), 0xc81e28ul) << "the frame's picture is on screen";
    frame->setSize(320, 220);
    XWindowAttributes attributes{};
    XGetWindowAttributes(connection, children.front(), &attributes);
    EXPECT_EQ(attributes.width, 320) << "the window follows the frame's size at once";

    // A host that tears its window down before closing the editor: the frame's requests on
    // the lost window fail on the server and must not end the process.
    XDestroyWindow(connection, parent);
    XSync(connection, False);
    frame->invalid();
    frame->idle();
    frame->drawRect(nullptr, CRect(0, 0, 300, 200));
    frame->forget();
    EXPECT_TRUE(Children(DefaultRootWindow(connection)).empty());
}

TEST_F(X11FrameViewOnDisplay, AWindowThatIsNotThereOrADisplayThatCannotBeOpenedShowsNothing)
{
    const std::string name = display.Name();
    const AAX_LinuxNativeView missingWindow{sizeof(AAX_LinuxNativeView), AAX_eLinuxNativeView_X11,
                                            0x3fffffff, name.c_str(), nullptr};
    auto* frame = new CFrame(CRect(0, 0, 100, 100),
                             const_cast<AAX_LinuxNativeView*>(&missingWindow), nullptr);
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    frame->idle();
    frame->forget();

    const Window parent = MakeWindow(100, 100);
    const AAX_LinuxNativeView noDisplay{sizeof(AAX_LinuxNativeView), AAX_eLinuxNativeView_X11,
                                        parent, ":9999", nullptr};
    frame =
        new CFrame(CRect(0, 0, 100, 100), const_cast<AAX_LinuxNativeView*>(&noDisplay), nullptr);
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    EXPECT_TRUE(Children(parent).empty());
    frame->forget();
}

} // namespace
