#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace orv::test
{

// A window the test looks at may close between being listed and being asked about (a menu once
// an entry is chosen); Xlib's default handler would end the whole test over that, leaving its
// display and programs running.
inline int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The windows directly inside `window`, bottom to top; empty when it has none or is gone.
inline std::vector<Window> ChildWindows(Display* display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::vector<Window> list;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children)
    {
        list.assign(children, children + count);
        XFree(children);
    }
    return list;
}

} // namespace orv::test
