// Host-supplied text reaches AAX_CString (value strings, names): its parsing and slicing
// must stay within the text whatever the bytes and positions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "AAX_CString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8) return 0;
    uint32 pos = 0, n = 0;
    std::memcpy(&pos, data, 4);
    std::memcpy(&n, data + 4, 4);
    const std::string bytes(reinterpret_cast<const char*>(data + 8), size - 8);
    AAX_CString text(bytes.c_str());

    double value = 0;
    if (!text.ToDouble(&value) && value != 0.0) __builtin_trap();

    // Positions are taken modulo a little more than the length, so both in-range and
    // past-the-end positions are exercised.
    const uint32 length = text.Length();
    pos %= length + 3;
    AAX_CString part;
    text.SubString(pos, n, &part);
    if (part.Length() > length) __builtin_trap();

    AAX_CString erased(text);
    erased.Erase(pos, n);
    if (erased.Length() > length) __builtin_trap();

    text.AppendNumber(value, static_cast<int32>(n % 20));
    return 0;
}
