#include "CFrame.h"
#include "CMenuItem.h"
#include "COptionMenu.h"
#include "FrameTableHost.h"
#include "PlatformView.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{
struct MenuFixture : ::testing::Test
{
    MenuFixture()
    {
        frame = new CFrame(CRect(0, 0, 540, 240), view.getNativeHandle(), nullptr);
        menu = new COptionMenu(CRect(300, 78, 500, 102), &listener, 23, nullptr, nullptr, k3DOut);
        menu->setMin(0);
        menu->setMax(1); // as an editor binding a 0..1 parameter does
        menu->addEntry("Soft");
        menu->addEntry("Medium", -1, CMenuItem::kNoFlags);
        menu->addEntry("Hard");
        menu->addEntry("Broken", -1, CMenuItem::kDisabled);
        frame->addView(menu);
    }
    ~MenuFixture() override { frame->forget(); }

    orv::test::FrameTableHost view;
    RecordingListener listener;
    CFrame* frame;
    COptionMenu* menu;
};
} // namespace

TEST_F(MenuFixture, ValueIsTheEntryIndexRegardlessOfMinimumAndMaximum)
{
    EXPECT_EQ(menu->getNbEntries(), 4);
    EXPECT_EQ(menu->getCurrentIndex(), 0) << "the first entry is current from the start";
    menu->setValue(2.f);
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_STREQ(menu->getCurrent()->getTitle(), "Hard");
    EXPECT_FLOAT_EQ(menu->getValue(), 2.f);
    menu->setValue(1.9999f);
    EXPECT_EQ(menu->getCurrentIndex(), 1) << "the whole part is the index";
    menu->setValue(7.f);
    EXPECT_EQ(menu->getCurrentIndex(), 1) << "an index past the entries is ignored";
    menu->setValue(-1.f);
    EXPECT_EQ(menu->getCurrentIndex(), 1);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(MenuFixture, ClickOpensTheMenuOnThePlatformViewAndAChoiceSetsTheIndex)
{
    EXPECT_TRUE(view.click(CPoint(400, 90)));
    ASSERT_TRUE(view.isMenuOpen());
    // The request as the frame's platform view holds it, and the titles the host was given.
    const PlatformMenuRequest& request = frame->getPlatformView()->getMenu();
    ASSERT_EQ(view.table().MenuEntries().size(), 4u);
    EXPECT_FALSE(view.table().MenuEntries()[3].selectable);
    ASSERT_EQ(request.entries.size(), 4u);
    EXPECT_EQ(request.entries[1].title, "Medium");
    EXPECT_FALSE(request.entries[3].enabled);
    EXPECT_EQ(request.currentIndex, 0);
    EXPECT_EQ(request.where, CRect(300, 78, 500, 102));
    EXPECT_TRUE(listener.calls.empty()) << "nothing changes until the user chooses";

    EXPECT_FALSE(view.chooseMenuEntry(3)) << "a disabled entry cannot be chosen";
    EXPECT_FALSE(view.chooseMenuEntry(9));
    EXPECT_TRUE(view.isMenuOpen());
    EXPECT_TRUE(view.chooseMenuEntry(2));
    EXPECT_FALSE(view.isMenuOpen());
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_EQ(menu->getLastResult(), 2);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 2.00", "end"}));

    // Choosing by title does the same; a click beside an open menu closes it unchosen.
    view.click(CPoint(400, 90));
    EXPECT_TRUE(view.chooseMenuEntry(std::string("Soft")));
    EXPECT_EQ(menu->getCurrentIndex(), 0);
    view.click(CPoint(400, 90));
    view.click(CPoint(10, 10));
    EXPECT_FALSE(view.isMenuOpen());
    EXPECT_EQ(menu->getCurrentIndex(), 0);
    EXPECT_EQ(menu->getLastResult(), -1);
    EXPECT_EQ(listener.calls.size(), 6u);
}

TEST_F(MenuFixture, RemovingTheMenuClosesItsOpenRequest)
{
    view.click(CPoint(400, 90));
    ASSERT_TRUE(view.isMenuOpen());
    frame->removeView(menu);
    EXPECT_FALSE(view.isMenuOpen()) << "no answer may reach a deleted menu";
    EXPECT_FALSE(view.chooseMenuEntry(1));
}

TEST_F(MenuFixture, EntriesInsertedBeforeTheCurrentOneKeepItCurrent)
{
    menu->setValue(1.f);
    menu->addEntry("First", 0);
    EXPECT_STREQ(menu->getCurrent()->getTitle(), "Medium");
    menu->addSeparator(0);
    EXPECT_TRUE(menu->getEntry(0)->isSeparator());
    EXPECT_EQ(menu->getCurrentIndex(true), 3);
    EXPECT_EQ(menu->getCurrentIndex(false), 2) << "separators are not counted";
    EXPECT_TRUE(menu->removeEntry(0));
    EXPECT_FALSE(menu->removeEntry(40));
    EXPECT_TRUE(menu->removeAllEntry());
    EXPECT_EQ(menu->getCurrent(), nullptr);
    EXPECT_TRUE(view.click(CPoint(400, 90)));
    EXPECT_FALSE(view.chooseMenuEntry(0)) << "an empty menu offers nothing";
}
