#pragma once

#include "AAX.h"

// The text interface through which host-facing operations pass strings. Not reference
// counted: whoever creates a string owns it. Text is bytes; no encoding is assumed.
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    // Bytes of text, terminator excluded.
    virtual uint32 Length() const = 0;
    // Capacity limit.
    virtual uint32 MaxLength() const = 0;
    // The zero-terminated text, valid until the string next changes or is destroyed.
    virtual const char* Get() const = 0;
    // Replaces the text with the bytes up to text's terminator.
    virtual void Set(const char* text) = 0;
    virtual AAX_IString& operator=(const AAX_IString& other) = 0;
    virtual AAX_IString& operator=(const char* text) = 0;

protected:
    AAX_IString() = default;
    AAX_IString(const AAX_IString&) = default;
};
