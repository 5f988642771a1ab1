#pragma once

#include "CButtonState.h"
#include "CRect.h"
#include "VstKeyCode.h"

#include <cstdint>

typedef struct _cairo cairo_t;

namespace VSTGUI
{

class CDragContainer;

// How a platform view reaches the frame embedded in it. Only virtual calls cross this
// line, so a frame built into a plug-in module can sit in a platform view made by the
// host's own copy of the toolkit.
class IPlatformFrameCallback
{
public:
    // Draws `updateRect` (frame coordinates) through `cr`, whose origin is the frame's
    // top-left corner. `cr` is borrowed for the call.
    virtual void platformDraw(cairo_t* cr, const CRect& updateRect) = 0;
    virtual CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
    virtual bool platformOnKeyDown(VstKeyCode& keyCode) = 0;
    virtual bool platformOnDrop(CDragContainer* drag, const CPoint& where) = 0;
    virtual void platformOnDragEnter(CDragContainer* drag, const CPoint& where) = 0;
    virtual void platformOnDragLeave(CDragContainer* drag, const CPoint& where) = 0;
    virtual void platformOnDragMove(CDragContainer* drag, const CPoint& where) = 0;
    // Time passes: due toolkit timers fire, then dirty views are invalidated.
    virtual void platformAdvanceTime(uint32_t milliseconds) = 0;
    // The platform view is going away; the frame must forget it.
    virtual void platformViewClosed() = 0;

protected:
    virtual ~IPlatformFrameCallback() = default;
};

} // namespace VSTGUI
