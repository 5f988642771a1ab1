#pragma once

#include <cstdint>
#include <cstring>

namespace companion
{

// A piecewise-linear log2 of a positive float: its exponent plus its mantissa's fraction (a
// float's bits, read as a number over 2^23, are both side by side, offset by the bias 127).
// Monotonic, exact at powers of two and exactly invertible, at the cost of a multiply.
inline double roughLog2(float x)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<double>(bits) / 8388608.0 - 127.0;
}

} // namespace companion
