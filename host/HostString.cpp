#include "HostString.h"

#include <cstring>

namespace orv::host
{

void HostString::Set(const char* text)
{
    if (!text)
    {
        mText.clear();
        return;
    }
    mText.assign(text, ::strnlen(text, kMaxLength));
}

AAX_IString& HostString::operator=(const AAX_IString& other)
{
    if (&other != this) Set(other.Get());
    return *this;
}

AAX_IString& HostString::operator=(const char* text)
{
    Set(text);
    return *this;
}

} // namespace orv::host
