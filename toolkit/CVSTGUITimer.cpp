#include "CVSTGUITimer.h"

#include "TimerScheduler.h"

namespace VSTGUI
{

IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

namespace
{
int32_t validPeriod(int32_t period)
{
    return period < 1 ? 1 : period;
}
} // namespace

CVSTGUITimer::CVSTGUITimer(CBaseObject* timerObject, int32_t fireTime, bool doStart)
    : fireTime(validPeriod(fireTime)), timerObject(timerObject)
{
    if (doStart) start();
}

CVSTGUITimer::CVSTGUITimer(const CallbackFunc& callback, int32_t fireTime, bool doStart)
    : fireTime(validPeriod(fireTime)), callback(callback)
{
    if (doStart) start();
}

CVSTGUITimer::~CVSTGUITimer()
{
    stop();
}

bool CVSTGUITimer::start()
{
    if (isRunning()) return false;
    TimerScheduler::instance().add(this);
    return true;
}

bool CVSTGUITimer::stop()
{
    if (!isRunning()) return false;
    TimerScheduler::instance().remove(this);
    return true;
}

bool CVSTGUITimer::isRunning() const
{
    return TimerScheduler::instance().isScheduled(this);
}

bool CVSTGUITimer::setFireTime(int32_t newFireTime)
{
    fireTime = validPeriod(newFireTime);
    if (isRunning()) TimerScheduler::instance().add(this);
    return true;
}

void CVSTGUITimer::fire()
{
    if (callback)
        callback(this);
    else if (timerObject)
        timerObject->notify(this, kMsgTimer);
}

} // namespace VSTGUI
