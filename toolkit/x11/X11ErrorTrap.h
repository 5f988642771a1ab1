#pragma once

typedef struct _XDisplay Display;

namespace VSTGUI
{

// While alive, X errors raised on one connection are counted instead of reaching Xlib's
// default handler, which would end the host's process (a window the host destroyed under
// us is enough). Errors of other connections still reach the handler installed before.
// Traps nest; one thread at a time.
class X11ErrorTrap
{
public:
    explicit X11ErrorTrap(Display* display);
    // Syncs first, so errors of the requests made meanwhile are caught here.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request so far; returns the errors counted.
    int sync();

private:
    friend struct X11ErrorTrapHandler;
    using Handler = void (*)();

    Display* display;
    X11ErrorTrap* outer;
    Handler previous;
    int errors = 0;
};

} // namespace VSTGUI
