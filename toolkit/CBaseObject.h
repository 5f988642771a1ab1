#pragma once

#include "VSTGUITypes.h"

namespace VSTGUI
{

// Reference-counted base of views, bitmaps, fonts and timers. A new object holds one
// reference, owned by whoever created it; the last forget() deletes the object.
class CBaseObject
{
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    virtual void remember() { ++nbReference; }
    virtual void forget();
    int32_t getNbReference() const { return nbReference; }

    // Generic notification between toolkit objects (timers use it); unknown messages are
    // answered with kMessageUnknown.
    virtual CMessageResult notify(CBaseObject* sender, IdStringPtr message);

private:
    int32_t nbReference = 1;
};

} // namespace VSTGUI
