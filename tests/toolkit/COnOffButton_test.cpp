#include "CFrame.h"
#include "COnOffButton.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(COnOffButton, EachLeftClickTogglesAndNotifiesInsideABracket)
{
    RecordingListener listener;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    COnOffButton* button = new COnOffButton(CRect(40, 80, 60, 100), &listener, 1, nullptr, 0);
    frame->addView(button);

    CPoint where(50, 90);
    EXPECT_EQ(frame->onMouseDown(where, kLButton),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    frame->onMouseUp(where, 0);
    frame->onMouseDown(where, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 1.00", "end", "begin",
                                                        "value 0.00", "end"}));

    // Other buttons leave it alone; a value between the ends counts as off.
    listener.calls.clear();
    frame->onMouseDown(where, kRButton);
    EXPECT_TRUE(listener.calls.empty());
    button->setValue(0.4f);
    frame->onMouseDown(where, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    frame->forget();
}
