#pragma once

#include <cstdint>

namespace VSTGUI
{

// 8-bit red, green, blue and alpha (255 = opaque), not premultiplied.
struct CColor
{
    constexpr CColor(uint8_t red = 255, uint8_t green = 255, uint8_t blue = 255,
                     uint8_t alpha = 255)
        : red(red), green(green), blue(blue), alpha(alpha)
    {
    }

    bool operator==(const CColor& o) const
    {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    bool operator!=(const CColor& o) const { return !(*this == o); }

    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha;
};

inline constexpr CColor MakeCColor(uint8_t red = 0, uint8_t green = 0, uint8_t blue = 0,
                                   uint8_t alpha = 255)
{
    return CColor(red, green, blue, alpha);
}

extern const CColor kTransparentCColor;
extern const CColor kBlackCColor;
extern const CColor kWhiteCColor;
extern const CColor kGreyCColor;
extern const CColor kRedCColor;
extern const CColor kGreenCColor;
extern const CColor kBlueCColor;
extern const CColor kYellowCColor;
extern const CColor kCyanCColor;
extern const CColor kMagentaCColor;

} // namespace VSTGUI
