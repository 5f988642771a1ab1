#include "TimerScheduler.h"

#include "CVSTGUITimer.h"

#include <algorithm>

namespace VSTGUI
{

TimerScheduler& TimerScheduler::instance()
{
    static TimerScheduler scheduler;
    return scheduler;
}

void TimerScheduler::add(CVSTGUITimer* timer)
{
    remove(timer);
    entries.push_back(Entry{timer, clock + timer->getFireTime()});
}

void TimerScheduler::remove(CVSTGUITimer* timer)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [timer](const Entry& e) { return e.timer == timer; }),
                  entries.end());
}

bool TimerScheduler::isScheduled(const CVSTGUITimer* timer) const
{
    return std::any_of(entries.begin(), entries.end(),
                       [timer](const Entry& e) { return e.timer == timer; });
}

void TimerScheduler::advance(uint32_t milliseconds)
{
    clock += milliseconds;
    // Collect first: a timer's callback may start, stop or delete timers.
    std::vector<CVSTGUITimer*> due;
    for (Entry& entry : entries)
    {
        if (entry.due > clock) continue;
        due.push_back(entry.timer);
        const uint64_t period = std::max<uint32_t>(1, entry.timer->getFireTime());
        entry.due += period;
        if (entry.due <= clock) entry.due = clock + period;
    }
    for (CVSTGUITimer* timer : due)
    {
        if (!isScheduled(timer)) continue; // stopped or deleted by an earlier callback
        timer->remember();
        timer->fire();
        timer->forget();
    }
}

} // namespace VSTGUI
