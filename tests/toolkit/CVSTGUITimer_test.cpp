#include "CFrame.h"
#include "CVSTGUITimer.h"
#include "FrameTableHost.h"
#include "TimerScheduler.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{
struct TimerTarget : CBaseObject
{
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        if (message != CVSTGUITimer::kMsgTimer) return kMessageUnknown;
        lastSender = sender;
        ++ticks;
        return kMessageNotified;
    }
    int ticks = 0;
    CBaseObject* lastSender = nullptr;
};
} // namespace

TEST(CVSTGUITimer, FiresEveryPeriodOfPassingTimeUntilStopped)
{
    TimerTarget target;
    CVSTGUITimer* timer = new CVSTGUITimer(&target, 100);
    EXPECT_FALSE(timer->isRunning()) << "this form starts only when asked";
    EXPECT_TRUE(timer->start());
    EXPECT_FALSE(timer->start());
    TimerScheduler::instance().advance(99);
    EXPECT_EQ(target.ticks, 0);
    TimerScheduler::instance().advance(1);
    EXPECT_EQ(target.ticks, 1);
    EXPECT_EQ(target.lastSender, timer);
    TimerScheduler::instance().advance(350);
    EXPECT_EQ(target.ticks, 2) << "a late timer fires once, not in a burst";
    TimerScheduler::instance().advance(100);
    EXPECT_EQ(target.ticks, 3);
    EXPECT_TRUE(timer->stop());
    TimerScheduler::instance().advance(1000);
    EXPECT_EQ(target.ticks, 3);
    timer->forget();
}

TEST(CVSTGUITimer, CallbacksMayStopOrDeleteTimersAndTimeComesFromTheHost)
{
    orv::test::FrameTableHost view;
    CFrame* frame = new CFrame(CRect(0, 0, 10, 10), view.getNativeHandle(), nullptr);
    int ticksA = 0;
    int ticksB = 0;
    CVSTGUITimer* b = new CVSTGUITimer([&](CVSTGUITimer*) { ++ticksB; }, 50);
    CVSTGUITimer* a = new CVSTGUITimer(
        [&](CVSTGUITimer*)
        {
            ++ticksA;
            if (b)
            {
                b->forget(); // deleted while due in the same pass
                b = nullptr;
            }
        },
        50);
    view.advanceTime(50);
    EXPECT_EQ(ticksA, 1);
    EXPECT_LE(ticksB, 1);
    const int afterFirst = ticksB;
    view.advanceTime(50);
    EXPECT_EQ(ticksA, 2);
    EXPECT_EQ(ticksB, afterFirst) << "a deleted timer never fires again";

    a->setFireTime(0);
    EXPECT_EQ(a->getFireTime(), 1) << "a period of at least one millisecond";
    a->forget();
    view.advanceTime(100);
    EXPECT_EQ(ticksA, 2);
    frame->forget();
}
