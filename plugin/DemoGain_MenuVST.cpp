#include "DemoGain_MenuVST.h"

using namespace VSTGUI;

DemoGain_MenuVST::DemoGain_MenuVST(const CRect& size, CControlListener* listener, int32_t tag,
                                   CBitmap* background, CBitmap* backgroundWhenClicked,
                                   int32_t style)
    : DemoGain_BoundControl(size, listener, tag, background, backgroundWhenClicked, style)
{
}

DemoGain_MenuVST::~DemoGain_MenuVST() = default;
