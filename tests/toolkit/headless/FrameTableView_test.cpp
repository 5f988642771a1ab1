// A frame embedded through a host's C function table (AAX_LinuxNativeView, frames API), with
// the reference host's HostFrameView on the other side: what the host sees and sends.
#include "CFrame.h"
#include "CMenuItem.h"
#include "COptionMenu.h"
#include "CTextEdit.h"
#include "HostFrameView.h"
#include "ImageSurface.h"
#include "RecordingListener.h"
#include "TimerScheduler.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

using namespace VSTGUI;
using orv::host::HostFrameView;

namespace
{

constexpr CCoord kWidth = 540;
constexpr CCoord kHeight = 240;

// A view that remembers the buttons of the last mouse-down it got.
class ButtonProbe : public CView
{
public:
    explicit ButtonProbe(const CRect& size) : CView(size) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override
    {
        lastButtons = buttons;
        return kMouseEventHandled;
    }
    int32_t lastButtons = 0;
};

// The same controls on a frame of their own, so two embeddings can be compared.
CFrame* makeFrame(void* nativeView, RecordingListener& listener, COptionMenu** menu,
                  CTextEdit** field, ButtonProbe** probe)
{
    auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), nativeView, nullptr);
    frame->setBackgroundColor(CColor(40, 44, 52, 255));
    *menu = new COptionMenu(CRect(300, 78, 500, 102), &listener, 23, nullptr, nullptr, k3DOut);
    (*menu)->addEntry("Soft");
    (*menu)->addEntry("Hard");
    (*menu)->addEntry("Broken", -1, CMenuItem::kDisabled);
    *field = new CTextEdit(CRect(240, 158, 310, 182), &listener, 45, "120", nullptr, 0);
    *probe = new ButtonProbe(CRect(10, 200, 60, 230));
    frame->addView(*menu);
    frame->addView(*field);
    frame->addView(*probe);
    return frame;
}

struct TableFixture : ::testing::Test
{
    TableFixture() { frame = makeFrame(host.NativeView(), listener, &menu, &field, &probe); }
    ~TableFixture() override
    {
        if (frame) frame->forget();
    }

    HostFrameView host;
    RecordingListener listener;
    CFrame* frame = nullptr;
    COptionMenu* menu = nullptr;
    CTextEdit* field = nullptr;
    ButtonProbe* probe = nullptr;
};

} // namespace

TEST_F(TableFixture, TheHostGetsTheFrameSizeAndFinishedFramesEqualToAnOffscreenRendering)
{
    ASSERT_TRUE(host.HasFrame());
    EXPECT_EQ(host.FrameWidth(), 540u);
    EXPECT_EQ(host.FrameHeight(), 240u);
    ASSERT_NE(frame->getPlatformView(), nullptr);

    frame->drawRect(nullptr, CRect(0, 0, kWidth, kHeight));
    ASSERT_EQ(host.Width(), 540u);
    ASSERT_EQ(host.Height(), 240u);

    // The same controls on a frame shown nowhere, drawn straight into an image.
    RecordingListener otherListener;
    COptionMenu* otherMenu;
    CTextEdit* otherField;
    ButtonProbe* otherProbe;
    CFrame* other = makeFrame(nullptr, otherListener, &otherMenu, &otherField, &otherProbe);
    ImageSurface image(static_cast<int32_t>(kWidth), static_cast<int32_t>(kHeight));
    cairo_t* cr = cairo_create(image.getCairoSurface());
    other->platformDraw(cr, CRect(0, 0, kWidth, kHeight));
    cairo_destroy(cr);
    int differing = 0;
    for (int32_t y = 0; y < image.getHeight(); ++y)
        for (int32_t x = 0; x < image.getWidth(); ++x)
        {
            const CColor c = image.getPixel(x, y);
            const uint32_t expected =
                uint32_t(c.alpha) << 24 | uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
            if (host.Pixel(x, y) != expected) ++differing;
        }
    EXPECT_EQ(differing, 0) << "the opaque frame reaches the host pixel for pixel";
    other->forget();

    frame->forget();
    frame = nullptr;
    EXPECT_FALSE(host.HasFrame()) << "a frame that goes tells the host to forget it";
    EXPECT_FALSE(host.Click(400, 90)) << "no input reaches a frame that has gone";
}

TEST_F(TableFixture, MouseButtonsAndModifiersArriveAsTheToolkitsButtonState)
{
    EXPECT_TRUE(host.MouseDown(20, 210, AAX_eLinuxViewButton_Left | AAX_eLinuxViewButton_Shift));
    EXPECT_EQ(probe->lastButtons, kLButton | kShift);
    host.MouseUp(20, 210, AAX_eLinuxViewButton_Left);
    EXPECT_TRUE(host.MouseDown(20, 210,
                               AAX_eLinuxViewButton_Right | AAX_eLinuxViewButton_Control |
                                   AAX_eLinuxViewButton_Alt | AAX_eLinuxViewButton_DoubleClick));
    EXPECT_EQ(probe->lastButtons, kRButton | kControl | kAlt | kDoubleClick);
    EXPECT_FALSE(host.MouseDown(530, 5)) << "nothing takes a click on the bare background";
}

TEST_F(TableFixture, AMenuOpensAtTheHostWithItsEntriesAndTheHostsChoiceSetsTheControl)
{
    EXPECT_FALSE(host.ChooseMenuEntry(0)) << "no menu is open yet";
    ASSERT_TRUE(host.Click(400, 90));
    ASSERT_TRUE(host.IsMenuOpen());
    ASSERT_EQ(host.MenuEntries().size(), 3u);
    EXPECT_EQ(host.MenuEntries()[1].title, "Hard");
    EXPECT_TRUE(host.MenuEntries()[0].selectable);
    EXPECT_FALSE(host.MenuEntries()[2].selectable);
    EXPECT_FALSE(host.ChooseMenuEntry(2)) << "a disabled entry cannot be chosen";
    EXPECT_FALSE(host.ChooseMenuEntry(std::string("Broken")));
    ASSERT_TRUE(host.ChooseMenuEntry(std::string("Hard")));
    EXPECT_FALSE(host.IsMenuOpen()) << "the plug-in tells the host the menu closed";
    EXPECT_EQ(menu->getCurrentIndex(), 1);
    ASSERT_FALSE(listener.calls.empty());

    ASSERT_TRUE(host.Click(400, 90));
    ASSERT_TRUE(host.CancelMenu());
    EXPECT_FALSE(host.IsMenuOpen());
    EXPECT_EQ(menu->getCurrentIndex(), 1) << "a cancelled menu changes nothing";
    EXPECT_FALSE(host.CancelMenu());
}

TEST_F(TableFixture, ATextFieldOpensAtTheHostAndKeysReplaceItsText)
{
    ASSERT_TRUE(host.Click(270, 170));
    ASSERT_TRUE(host.IsTextEditOpen());
    EXPECT_EQ(host.EditText(), "120");
    ASSERT_TRUE(host.ReplaceEditText("300"));
    EXPECT_FALSE(host.IsTextEditOpen()) << "Return closes the field";
    EXPECT_STREQ(field->getText(), "300");

    ASSERT_TRUE(host.Click(270, 170));
    EXPECT_TRUE(host.Type("9"));
    EXPECT_TRUE(host.Key(0, AAX_eLinuxViewKey_Escape));
    EXPECT_FALSE(host.IsTextEditOpen());
    EXPECT_STREQ(field->getText(), "300") << "escape abandons what was typed";
    EXPECT_FALSE(host.ReplaceEditText("1")) << "no field is open";
}

TEST_F(TableFixture, TimePassesOnlyWhenTheHostSaysSo)
{
    const uint64_t before = TimerScheduler::instance().now();
    EXPECT_TRUE(host.AdvanceTime(30));
    EXPECT_EQ(TimerScheduler::instance().now(), before + 30);
}

TEST(FrameTableView, AnIncompleteTableOrAStructureTooSmallGetsNoFrameShown)
{
    HostFrameView host;
    auto* native = static_cast<AAX_LinuxNativeView*>(host.NativeView());
    AAX_LinuxFrameTable table = *native->frames;
    table.textEdit = nullptr;
    AAX_LinuxNativeView incomplete = *native;
    incomplete.frames = &table;
    CFrame* frame = new CFrame(CRect(0, 0, kWidth, kHeight), &incomplete, nullptr);
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    EXPECT_FALSE(host.HasFrame());
    frame->forget();

    AAX_LinuxNativeView small = *native;
    small.size = 8;
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), &small, nullptr);
    EXPECT_EQ(frame->getPlatformView(), nullptr);
    EXPECT_FALSE(host.HasFrame());
    frame->forget();

    AAX_LinuxNativeView x11 = *native;
    x11.api = AAX_eLinuxNativeView_X11;
    x11.frames = nullptr;
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), &x11, nullptr);
    EXPECT_FALSE(host.HasFrame()) << "an X11 view never reaches the frame table";
    frame->forget();
}

// Only the size is read until it says the structure is whole, and only the API tag after it
// until the tag is one the toolkit knows: the bytes past those are left unmapped here, so a
// read of them would end the test.
TEST(FrameTableView, AWrongSizeOrAnUnknownApiIsRefusedWithoutReadingFurther)
{
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    auto* pages = static_cast<uint8_t*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);
    auto endingAtTheGuard = [&](const uint32_t* words, size_t count)
    {
        uint8_t* at = pages + page - count * sizeof(uint32_t);
        std::memcpy(at, words, count * sizeof(uint32_t));
        return at;
    };
    struct Case
    {
        uint32_t words[2];
        size_t readable; // 32-bit words before the guard
    };
    const uint32_t whole = sizeof(AAX_LinuxNativeView);
    const Case cases[] = {
        {{4, 0}, 1},     {{0, 0}, 1},     {{whole - 1, AAX_eLinuxNativeView_Frames}, 1},
        {{whole, 0}, 2}, {{whole, 3}, 2}, {{whole, 0xffffffffu}, 2},
    };
    for (const Case& c : cases)
    {
        CFrame* frame = new CFrame(CRect(0, 0, kWidth, kHeight),
                                   endingAtTheGuard(c.words, c.readable), nullptr);
        EXPECT_EQ(frame->getPlatformView(), nullptr) << c.words[0] << " " << c.words[1];
        frame->forget();
    }
    munmap(pages, 2 * page);
}
