#pragma once

// Reading UTF-8 one code point at a time, as host and plug-in both do for typed text: the key
// events of the native view carry code points.

#include <stddef.h>
#include <stdint.h>

// Decodes the code point of `text` (size bytes) at *pos and moves *pos past it; a malformed
// sequence reads as U+FFFD. *pos must be below size.
inline uint32_t AAX_NextUtf8CodePoint(const char* text, size_t size, size_t* pos)
{
    const unsigned char lead = static_cast<unsigned char>(text[(*pos)++]);
    int extra = 0;
    uint32_t cp = lead;
    if ((lead & 0xe0) == 0xc0)
        extra = 1, cp = lead & 0x1f;
    else if ((lead & 0xf0) == 0xe0)
        extra = 2, cp = lead & 0x0f;
    else if ((lead & 0xf8) == 0xf0)
        extra = 3, cp = lead & 0x07;
    for (int i = 0; i < extra; ++i)
    {
        if (*pos >= size || (static_cast<unsigned char>(text[*pos]) & 0xc0) != 0x80) return 0xfffd;
        cp = (cp << 6) | (static_cast<unsigned char>(text[(*pos)++]) & 0x3f);
    }
    return cp;
}
