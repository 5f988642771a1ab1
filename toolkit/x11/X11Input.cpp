#include "X11Input.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace VSTGUI
{

CButtonState X11Input::buttons(uint32_t state, uint32_t button)
{
    int32_t bits = 0;
    if ((state & Button1Mask) || button == Button1) bits |= kLButton;
    if ((state & Button2Mask) || button == Button2) bits |= kMButton;
    if ((state & Button3Mask) || button == Button3) bits |= kRButton;
    if (state & ShiftMask) bits |= kShift;
    if (state & ControlMask) bits |= kControl;
    if (state & Mod1Mask) bits |= kAlt;
    return CButtonState(bits);
}

VstKeyCode X11Input::key(uint64_t keysym, uint32_t state)
{
    VstKeyCode code;
    if (state & ShiftMask) code.modifier |= MODIFIER_SHIFT;
    if (state & Mod1Mask) code.modifier |= MODIFIER_ALTERNATE;
    if (state & ControlMask) code.modifier |= MODIFIER_CONTROL;
    switch (keysym)
    {
    case XK_BackSpace:
        code.virt = VKEY_BACK;
        return code;
    case XK_Tab:
        code.virt = VKEY_TAB;
        return code;
    case XK_Return:
        code.virt = VKEY_RETURN;
        return code;
    case XK_KP_Enter:
        code.virt = VKEY_ENTER;
        return code;
    case XK_Escape:
        code.virt = VKEY_ESCAPE;
        return code;
    case XK_Delete:
        code.virt = VKEY_DELETE;
        return code;
    case XK_Home:
        code.virt = VKEY_HOME;
        return code;
    case XK_End:
        code.virt = VKEY_END;
        return code;
    case XK_Left:
        code.virt = VKEY_LEFT;
        return code;
    case XK_Right:
        code.virt = VKEY_RIGHT;
        return code;
    case XK_Up:
        code.virt = VKEY_UP;
        return code;
    case XK_Down:
        code.virt = VKEY_DOWN;
        return code;
    default:
        break;
    }
    // Latin-1 keysyms are their code points; others carry theirs above 0x01000000.
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
        code.character = static_cast<int32_t>(keysym);
    else if ((keysym & 0xff000000) == 0x01000000 && (keysym & 0x00ffffff) <= 0x10ffff)
        code.character = static_cast<int32_t>(keysym & 0x00ffffff);
    else if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        code.character = static_cast<int32_t>('0' + (keysym - XK_KP_0));
    else if (keysym == XK_KP_Decimal)
        code.character = '.';
    return code;
}

} // namespace VSTGUI
