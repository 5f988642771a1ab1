#pragma once

#include "CRect.h"

#include <string>

namespace VSTGUI
{

// Told by the platform view how a text entry ended: the return key (accept) or escape.
class IPlatformTextEditClient
{
public:
    virtual void platformTextEditReturn() = 0;
    virtual void platformTextEditEscape() = 0;

protected:
    virtual ~IPlatformTextEditClient() = default;
};

// A text field a control opened on the platform view: the text being edited and where.
struct PlatformTextEditRequest
{
    std::string text;
    CRect where; // the control's area, frame coordinates
    IPlatformTextEditClient* client = nullptr;
};

} // namespace VSTGUI
