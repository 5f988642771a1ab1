#pragma once

#include <cstdint>

namespace VSTGUI
{

// Mouse buttons and modifier keys of one event. On macOS kControl is the Command key and
// kApple the Control key; the values are the ones hosts and editors exchange.
enum CButton
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
    kMouseWheelInverted = 1 << 11
};

class CButtonState
{
public:
    CButtonState(int32_t state = 0) : state(state) {}

    int32_t getButtonState() const
    {
        return state & (kLButton | kMButton | kRButton | kButton4 | kButton5);
    }
    int32_t getModifierState() const { return state & (kShift | kControl | kAlt | kApple); }

    bool isLeftButton() const { return (state & kLButton) != 0; }
    bool isRightButton() const { return (state & kRButton) != 0; }
    bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    operator int32_t() const { return state; }
    CButtonState& operator|=(int32_t bits)
    {
        state |= bits;
        return *this;
    }
    bool operator==(const CButtonState& o) const { return state == o.state; }
    bool operator!=(const CButtonState& o) const { return state != o.state; }

private:
    int32_t state;
};

enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents
};

} // namespace VSTGUI
