#pragma once

// The native parent view on Linux: what a host passes as the pointer of view container type 1
// (where macOS passes an NSView*). Plain C data and C function tables only, so host and
// plug-in may be built by different compilers, with different flags, and share no C++ type.
// All calls in both directions happen on the host's editor thread.

#include <stddef.h>
#include <stdint.h>

// Values of AAX_LinuxNativeView::api.
enum
{
    // An X11 window: the plug-in makes its child window in it and draws there.
    AAX_eLinuxNativeView_X11 = 1,
    // No display: the plug-in hands over finished frames of pixels and takes its input
    // through AAX_LinuxFrameTable.
    AAX_eLinuxNativeView_Frames = 2
};

// Values of AAX_LinuxViewEvent::kind.
enum
{
    AAX_eLinuxViewEvent_MouseDown = 1,
    AAX_eLinuxViewEvent_MouseMoved = 2,
    AAX_eLinuxViewEvent_MouseUp = 3,
    AAX_eLinuxViewEvent_Key = 4,
    // Chooses entry `index` of the open menu.
    AAX_eLinuxViewEvent_MenuChoose = 5,
    // Closes the open menu without a choice.
    AAX_eLinuxViewEvent_MenuCancel = 6,
    // `milliseconds` have passed: the plug-in's toolkit timers move on by that much.
    AAX_eLinuxViewEvent_Time = 7
};

// Bits of AAX_LinuxViewEvent::buttons.
enum
{
    AAX_eLinuxViewButton_Left = 1 << 0,
    AAX_eLinuxViewButton_Middle = 1 << 1,
    AAX_eLinuxViewButton_Right = 1 << 2,
    AAX_eLinuxViewButton_Shift = 1 << 3,
    AAX_eLinuxViewButton_Control = 1 << 4,
    AAX_eLinuxViewButton_Alt = 1 << 5,
    AAX_eLinuxViewButton_DoubleClick = 1 << 6
};

// Values of AAX_LinuxViewEvent::key for keys that are no character.
enum
{
    AAX_eLinuxViewKey_None = 0,
    AAX_eLinuxViewKey_Back = 1,
    AAX_eLinuxViewKey_Return = 2,
    AAX_eLinuxViewKey_Escape = 3,
    AAX_eLinuxViewKey_Tab = 4
};

// One input event, host to plug-in.
typedef struct AAX_LinuxViewEvent
{
    uint32_t kind;    // an AAX_eLinuxViewEvent_ value
    uint32_t buttons; // AAX_eLinuxViewButton_ bits held (mouse events and keys)
    double x;         // mouse events: frame coordinates, origin top left, in pixels
    double y;
    int32_t character;     // key events: the Unicode code point typed, 0 for none
    int32_t key;           // key events: an AAX_eLinuxViewKey_ value
    int32_t index;         // MenuChoose: the entry, 0-based
    uint32_t milliseconds; // Time: how much time passed
} AAX_LinuxViewEvent;

// The plug-in's side, valid from `attached` until `attached` is called with null.
typedef struct AAX_LinuxViewInput
{
    void* context; // the plug-in's, passed back unchanged
    // Delivers one event; returns 1 when the view used it, 0 when not.
    int32_t (*send)(void* context, const AAX_LinuxViewEvent* event);
} AAX_LinuxViewInput;

// An option menu the plug-in opened, for the host to show or answer. Every pointer is
// valid only during the call that passes it.
typedef struct AAX_LinuxViewMenu
{
    int32_t count;                   // entries
    int32_t current;                 // the entry shown as current, -1 for none
    const char* const* titles;       // count UTF-8 titles
    const uint8_t* selectable;       // count flags: 1 when the entry can be chosen
    double left, top, right, bottom; // the control that opened it, frame coordinates
} AAX_LinuxViewMenu;

// The host's side for AAX_eLinuxNativeView_Frames. Every function must be set.
typedef struct AAX_LinuxFrameTable
{
    void* context; // the host's, passed back unchanged
    // The plug-in's frame of width x height pixels embedded itself (input non-null), or left
    // (input null: the host must forget it).
    void (*attached)(void* context, const AAX_LinuxViewInput* input, uint32_t width,
                     uint32_t height);
    // A finished frame: height rows of width pixels, 32 bits each, premultiplied alpha in
    // the top 8 bits then red, green, blue, in the machine's byte order; rows `stride`
    // bytes apart. Valid only during the call.
    void (*present)(void* context, const uint8_t* pixels, uint32_t width, uint32_t height,
                    uint32_t stride);
    // A menu opened (menu non-null) or closed (null).
    void (*menu)(void* context, const AAX_LinuxViewMenu* menu);
    // A text field opened with `text` in it (UTF-8), or closed (null). Keys edit it: characters
    // are added, Back deletes one, Return accepts, Escape abandons.
    void (*textEdit)(void* context, const char* text);
} AAX_LinuxFrameTable;

// On AAX_eLinuxNativeView_X11 the plug-in opens its own connection to the display, makes one
// child window in the host's window and services it whenever the host calls the editor's
// TimerWakeup: the host keeps calling it (every 30 ms or so) while the window is open.
// What a host finds there, to drive the editor as a user would:
//  * an open option menu is an override-redirect top-level window carrying the property
//    AAX_LINUX_MENU_PROPERTY (type UTF8_STRING): the entry titles, each followed by '\n';
//    entry i fills the rows from i * AAX_eLinuxMenuEntryHeight to the next entry's. A click
//    (press and release) on a selectable entry chooses it; a press outside closes the menu;
//  * an open text field is a child window of the plug-in's window carrying the property
//    AAX_LINUX_TEXT_FIELD_PROPERTY (type UTF8_STRING): the text being edited, kept up to date.
//    Keys typed while it is open edit it; Return accepts it, Escape abandons it.
#define AAX_LINUX_MENU_PROPERTY "_AAX_LINUX_MENU_ENTRIES"
#define AAX_LINUX_TEXT_FIELD_PROPERTY "_AAX_LINUX_TEXT_FIELD"
enum
{
    AAX_eLinuxMenuEntryHeight = 20
};

// What the native view pointer points at. The host owns it and keeps it unchanged while the
// view container is set.
typedef struct AAX_LinuxNativeView
{
    uint32_t size;       // sizeof(AAX_LinuxNativeView) as the host knows it: newer fields follow
    uint32_t api;        // an AAX_eLinuxNativeView_ value
    uint64_t window;     // AAX_eLinuxNativeView_X11: the parent window's XID, else 0
    const char* display; // AAX_eLinuxNativeView_X11: the X display name, null for $DISPLAY
    const AAX_LinuxFrameTable* frames; // AAX_eLinuxNativeView_Frames: the host's table
} AAX_LinuxNativeView;

#ifdef __cplusplus
static_assert(sizeof(AAX_LinuxNativeView) == 32, "the native view's layout is fixed");
static_assert(offsetof(AAX_LinuxNativeView, api) == 4, "the native view's layout is fixed");
static_assert(offsetof(AAX_LinuxNativeView, window) == 8, "the native view's layout is fixed");
static_assert(offsetof(AAX_LinuxNativeView, display) == 16, "the native view's layout is fixed");
static_assert(offsetof(AAX_LinuxNativeView, frames) == 24, "the native view's layout is fixed");
static_assert(sizeof(AAX_LinuxViewEvent) == 40, "the event's layout is fixed");
static_assert(offsetof(AAX_LinuxViewEvent, x) == 8, "the event's layout is fixed");
static_assert(offsetof(AAX_LinuxViewEvent, milliseconds) == 36, "the event's layout is fixed");
static_assert(sizeof(AAX_LinuxFrameTable) == 40, "the frame table's layout is fixed");
static_assert(sizeof(AAX_LinuxViewInput) == 16, "the input table's layout is fixed");
static_assert(sizeof(AAX_LinuxViewMenu) == 56 && offsetof(AAX_LinuxViewMenu, left) == 24,
              "the menu's layout is fixed");
#endif
