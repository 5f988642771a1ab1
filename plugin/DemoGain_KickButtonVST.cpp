#include "DemoGain_KickButtonVST.h"

using namespace VSTGUI;

DemoGain_KickButtonVST::DemoGain_KickButtonVST(const CRect& size, CControlListener* listener,
                                               long tag, double heightOfOneImage,
                                               CBitmap* background, const CPoint& offset)
    : DemoGain_BoundControl(size, listener, static_cast<int32_t>(tag), heightOfOneImage, background,
                            offset)
{
}

DemoGain_KickButtonVST::~DemoGain_KickButtonVST() = default;
