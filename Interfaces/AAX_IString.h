#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The text interface through which host-facing operations pass strings. Not reference
// counted: whoever creates a string owns it. Text is bytes; no encoding is assumed.
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    // [any-thread] Bytes of text, terminator excluded.
    virtual uint32 Length() const = 0;
    // [any-thread] The capacity limit.
    virtual uint32 MaxLength() const = 0;
    // [any-thread] The zero-terminated text, owned by the string and valid until it next
    // changes or is destroyed.
    virtual const char* Get() const = 0;
    // [any-thread] Replaces the text with a copy of the bytes up to text's terminator.
    virtual void Set(const char* text) = 0;
    // [any-thread] Replaces the text with a copy of other's; returns this string.
    virtual AAX_IString& operator=(const AAX_IString& other) = 0;
    // [any-thread] Replaces the text with a copy of text; returns this string.
    virtual AAX_IString& operator=(const char* text) = 0;

protected:
    AAX_IString() = default;
    AAX_IString(const AAX_IString&) = default;
};
