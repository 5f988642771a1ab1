#pragma once

#include "CButtonState.h"
#include "VstKeyCode.h"

#include <cstdint>

typedef struct _XDisplay Display;

namespace VSTGUI
{

// Turns what the X server reports into the toolkit's input: the modifier and button mask
// into a button state, a pressed key (through the server's keyboard mapping) into a key code.
class X11Input
{
public:
    // `state` is an event's modifier and button mask; `button` the button that changed
    // (1 left, 2 middle, 3 right; 0 for none), which the mask does not hold yet on a press.
    static CButtonState buttons(uint32_t state, uint32_t button);
    // The key of a KeyPress event: a named key in `virt`, else the Unicode character typed.
    // `keysym` is what the server's mapping gives for the key with the modifiers held.
    static VstKeyCode key(uint64_t keysym, uint32_t state);
};

} // namespace VSTGUI
