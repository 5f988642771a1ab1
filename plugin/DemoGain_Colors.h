#pragma once

#include "CColor.h"

// The editor's colours.
namespace DemoGain_Colors
{

constexpr VSTGUI::CColor kGrey(183, 183, 183, 255);
constexpr VSTGUI::CColor kBlue(102, 153, 213, 255);
constexpr VSTGUI::CColor kBackground(59, 59, 59, 255);
constexpr VSTGUI::CColor kMenuText(155, 223, 17, 255);

} // namespace DemoGain_Colors
