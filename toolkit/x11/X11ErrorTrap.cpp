#include "X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace VSTGUI
{
namespace
{
using XHandler = int (*)(Display*, XErrorEvent*);
X11ErrorTrap* innermost = nullptr;
} // namespace

struct X11ErrorTrapHandler
{
    static int handle(Display* display, XErrorEvent* error)
    {
        X11ErrorTrap* outermost = nullptr;
        for (X11ErrorTrap* trap = innermost; trap; trap = trap->outer)
        {
            if (trap->display == display)
            {
                ++trap->errors;
                return 0;
            }
            outermost = trap;
        }
        auto previous = outermost ? reinterpret_cast<XHandler>(outermost->previous) : nullptr;
        return previous ? previous(display, error) : 0;
    }
};

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), outer(innermost)
{
    previous = reinterpret_cast<Handler>(XSetErrorHandler(&X11ErrorTrapHandler::handle));
    innermost = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(display, False);
    innermost = outer;
    XSetErrorHandler(reinterpret_cast<XHandler>(previous));
}

int X11ErrorTrap::sync()
{
    XSync(display, False);
    return errors;
}

} // namespace VSTGUI
