#pragma once

#include <cstdint>

// Where the editor puts the controls that host tools click on and capture, in pixels from
// the top left of the editor's view. The editor builds its view from these and the reference
// host aims its clicks with them, so the two cannot drift apart.
namespace EditorLayout
{

constexpr double kWindowWidth = 540;
// The view is kRowHeight * tools + kBaseHeight high.
constexpr double kBaseHeight = 240;
constexpr double kRightEdge = 520;
constexpr double kRowHeight = 40;
constexpr double kFirstRowTop = 80;
// Switches and step buttons are this high, from their row's top.
constexpr double kControlHeight = 20;
// The range row and the status line sit this far below the top of the tool rows' space.
constexpr double kRangeRowOffset = 120;
constexpr double kStatusOffset = 198;
constexpr double kStatusHeight = 24;
// Left and right edges of a tool's preset menu and of the range fields.
constexpr double kMenuLeft = 300;
constexpr double kMenuRight = 500;
constexpr double kMinFieldLeft = 240;
constexpr double kMinFieldRight = 310;
constexpr double kMaxFieldLeft = 386;
constexpr double kMaxFieldRight = 456;

// The top of tool row i (0-based).
constexpr double ToolRowTop(std::int32_t tool)
{
    return kRowHeight * tool + kFirstRowTop;
}
// The top of the range row below toolCount tool rows.
constexpr double RangeRowTop(std::int32_t toolCount)
{
    return kRowHeight * toolCount + kRangeRowOffset;
}
// The top of the status line below toolCount tool rows.
constexpr double StatusTop(std::int32_t toolCount)
{
    return kRowHeight * toolCount + kStatusOffset;
}

} // namespace EditorLayout
