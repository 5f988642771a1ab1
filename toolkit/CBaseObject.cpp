#include "CBaseObject.h"

namespace VSTGUI
{

void CBaseObject::forget()
{
    if (nbReference <= 0) return; // a release past zero is a caller's fault; never delete twice
    if (--nbReference == 0) delete this;
}

CMessageResult CBaseObject::notify(CBaseObject*, IdStringPtr)
{
    return kMessageUnknown;
}

} // namespace VSTGUI
