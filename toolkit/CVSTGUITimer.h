#pragma once

#include "CBaseObject.h"

#include <functional>

namespace VSTGUI
{

// A repeating timer on the editor's thread. Every fireTime milliseconds (of the time the
// platform view lets pass) it sends kMsgTimer to its timer object through notify, or calls
// its callback. The timer object is borrowed and must outlive the running timer.
class CVSTGUITimer : public CBaseObject
{
public:
    static IdStringPtr kMsgTimer;
    typedef std::function<void(CVSTGUITimer*)> CallbackFunc;

    CVSTGUITimer(CBaseObject* timerObject, int32_t fireTime = 100, bool doStart = false);
    CVSTGUITimer(const CallbackFunc& callback, int32_t fireTime = 100, bool doStart = true);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    bool isRunning() const;
    // Sets the period in milliseconds (at least 1); a running timer restarts with it.
    bool setFireTime(int32_t newFireTime);
    int32_t getFireTime() const { return fireTime; }

    // Called by the scheduler when the timer is due.
    void fire();

private:
    int32_t fireTime;
    CBaseObject* timerObject = nullptr;
    CallbackFunc callback;
};

} // namespace VSTGUI
