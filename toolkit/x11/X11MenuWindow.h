#pragma once

#include "PlatformMenuRequest.h"
#include "X11PictureCopy.h"

#include <cstdint>
#include <string>

typedef struct _XDisplay Display;
union _XEvent;

namespace VSTGUI
{

// An option menu shown as a pop-up window below the control that opened it: an
// override-redirect window that holds the pointer while it is open, so a press anywhere
// else closes it, as a native pop-up menu does. It only reports what the user did; the
// owner decides what follows.
class X11MenuWindow
{
public:
    enum class Outcome
    {
        Nothing,
        Chosen,
        Cancelled
    };

    // `frameWindow` is the window the request's coordinates are relative to. Every pointer
    // is borrowed for the menu's life.
    X11MenuWindow(Display* display, unsigned long frameWindow, const PlatformMenuRequest& request);
    ~X11MenuWindow();
    X11MenuWindow(const X11MenuWindow&) = delete;
    X11MenuWindow& operator=(const X11MenuWindow&) = delete;

    unsigned long getWindow() const { return window; }
    // Handles an event for its window; on Chosen, `chosen` is the entry.
    Outcome handle(const _XEvent& event, int32_t* chosen);

private:
    int32_t entryAt(int x, int y) const;
    void moveHighlight(int32_t step);
    void draw();
    void grab();

    Display* display;
    unsigned long window = 0;
    X11PictureCopy copier;
    const PlatformMenuRequest request;
    int width = 0;
    int height = 0;
    int32_t highlighted = -1;
    bool grabbed = false;
};

} // namespace VSTGUI
