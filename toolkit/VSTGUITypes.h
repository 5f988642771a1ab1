#pragma once

#include <cstdint>

namespace VSTGUI
{

// Coordinates are doubles, as on every platform the toolkit runs on.
typedef double CCoord;
// Texts handed to the toolkit are zero-terminated UTF-8.
typedef const char* UTF8StringPtr;
typedef char* UTF8StringBuffer;
// Message identifiers compare by address, not by content.
typedef const char* IdStringPtr;

enum CMessageResult
{
    kMessageUnknown = 0,
    kMessageNotified = 1
};

} // namespace VSTGUI
