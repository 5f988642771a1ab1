#pragma once

#include <cstdint>
#include <vector>

namespace VSTGUI
{

class CVSTGUITimer;

// The clock of the toolkit's timers. Time moves only when the platform view is told that
// it passes (PlatformView::advanceTime), so timers fire on the editor's thread at
// predictable moments. A timer that fell behind fires once and resumes its period.
class TimerScheduler
{
public:
    static TimerScheduler& instance();

    void add(CVSTGUITimer* timer);
    void remove(CVSTGUITimer* timer);
    bool isScheduled(const CVSTGUITimer* timer) const;
    void advance(uint32_t milliseconds);
    uint64_t now() const { return clock; }

private:
    struct Entry
    {
        CVSTGUITimer* timer;
        uint64_t due;
    };

    std::vector<Entry> entries;
    uint64_t clock = 0;
};

} // namespace VSTGUI
