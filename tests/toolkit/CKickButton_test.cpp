#include "CFrame.h"
#include "CKickButton.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{
struct KickFixture : ::testing::Test
{
    KickFixture()
    {
        frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
        button = new CKickButton(CRect(10, 10, 30, 30), &listener, 41, 10.0, nullptr);
        frame->addView(button);
    }
    ~KickFixture() override { frame->forget(); }

    void mouse(const char* what, CCoord x, CCoord y, int32_t buttons)
    {
        CPoint where(x, y);
        const std::string w(what);
        if (w == "down")
            frame->onMouseDown(where, buttons);
        else if (w == "move")
            frame->onMouseMoved(where, buttons);
        else
            frame->onMouseUp(where, buttons);
    }

    RecordingListener listener;
    CFrame* frame;
    CKickButton* button;
};
} // namespace

TEST_F(KickFixture, ReleaseOverTheButtonNotifiesTwice)
{
    mouse("down", 20, 20, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 1.f) << "pressed while held over it";
    EXPECT_EQ(listener.calls, std::vector<std::string>{"begin"}) << "no notification on press";
    mouse("up", 20, 20, 0);
    EXPECT_EQ(listener.calls,
              (std::vector<std::string>{"begin", "value 1.00", "value 0.00", "end"}));
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
}

TEST_F(KickFixture, ReleaseBesideTheButtonNotifiesOnce)
{
    mouse("down", 20, 20, kLButton);
    mouse("move", 50, 50, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 0.f) << "dragged off: released look";
    mouse("up", 50, 50, 0);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 0.00", "end"}));
}

TEST_F(KickFixture, DraggingBackInPressesAgainAndOnlyTheLeftButtonStarts)
{
    mouse("down", 20, 20, kLButton);
    mouse("move", 50, 50, kLButton);
    mouse("move", 15, 15, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    mouse("up", 15, 15, 0);
    EXPECT_EQ(listener.calls.size(), 4u);

    listener.calls.clear();
    mouse("down", 20, 20, kRButton);
    mouse("up", 20, 20, 0);
    EXPECT_TRUE(listener.calls.empty()) << "a right click is not the button's";
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
}

TEST_F(KickFixture, ASecondDownWithoutAnUpEndsTheFirstGesture)
{
    // The up of the first click was lost (or a second button went down): the button must
    // not stay pressed with its edit bracket open.
    mouse("down", 20, 20, kLButton);
    mouse("down", 80, 80, kLButton);
    EXPECT_FALSE(button->isEditing());
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(listener.calls.front(), "begin");
    EXPECT_EQ(listener.calls.back(), "end");
    mouse("up", 80, 80, 0);
    EXPECT_EQ(listener.calls.back(), "end") << "no second end";
}

TEST_F(KickFixture, RemovedWhilePressedClosesItsBracketButAClosingFrameCallsNobody)
{
    mouse("down", 20, 20, kLButton);
    frame->removeView(button);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "end"}));

    // The frame goes away while a button is held: the listener (usually the editor being
    // torn down) hears nothing more.
    button = new CKickButton(CRect(10, 10, 30, 30), &listener, 42, 10.0, nullptr);
    frame->addView(button);
    listener.calls.clear();
    mouse("down", 20, 20, kLButton);
    frame->forget();
    frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(listener.calls, std::vector<std::string>{"begin"});
}

TEST_F(KickFixture, MovesOfAGestureItDidNotStartLeaveItAlone)
{
    // A host took the mouse-down; the drag and the up then reach the toolkit button.
    CPoint where(20, 20);
    button->onMouseMoved(where, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    button->onMouseUp(where, 0);
    EXPECT_TRUE(listener.calls.empty());
}
