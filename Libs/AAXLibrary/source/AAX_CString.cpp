#include "AAX_CString.h"

#include <locale>
#include <sstream>

AAX_CString::AAX_CString(const char* text) : mString(text ? text : "")
{
}

AAX_CString::AAX_CString(const AAX_IString& other) : mString(other.Get() ? other.Get() : "")
{
}

AAX_CString::AAX_CString(const std::string& text) : mString(text)
{
}

AAX_CString& AAX_CString::operator=(const AAX_CString& other)
{
    mString = other.mString;
    return *this;
}

AAX_CString& AAX_CString::operator=(AAX_CString&& other) noexcept
{
    mString = std::move(other.mString);
    return *this;
}

AAX_CString& AAX_CString::operator=(const AAX_IString& other)
{
    // Copy first: other may be this very string.
    Set(std::string(other.Get() ? other.Get() : "").c_str());
    return *this;
}

AAX_CString& AAX_CString::operator=(const char* text)
{
    Set(text);
    return *this;
}

uint32 AAX_CString::Length() const
{
    return static_cast<uint32>(mString.size());
}

uint32 AAX_CString::MaxLength() const
{
    return kMaxStringLength;
}

const char* AAX_CString::Get() const
{
    return mString.c_str();
}

void AAX_CString::Set(const char* text)
{
    if (!text)
    {
        mString.clear();
        return;
    }
    mString.assign(text);
}

void AAX_CString::Clear()
{
    mString.clear();
}

AAX_CString& AAX_CString::Erase(uint32 pos, uint32 n)
{
    if (pos < mString.size()) mString.erase(pos, n);
    return *this;
}

AAX_CString& AAX_CString::AppendNumber(double value, int32 precision)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.setf(std::ios_base::fixed, std::ios_base::floatfield);
    stream.precision(precision < 0 ? 0 : precision);
    stream << value;
    mString += stream.str();
    return *this;
}

bool AAX_CString::ToDouble(double* outValue) const
{
    if (!outValue) return false;
    std::istringstream stream(mString);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    if (!(stream >> value))
    {
        *outValue = 0.0;
        return false;
    }
    *outValue = value;
    return true;
}

void AAX_CString::SubString(uint32 pos, uint32 n, AAX_IString* outString) const
{
    if (!outString) return;
    if (pos >= mString.size())
    {
        outString->Set("");
        return;
    }
    outString->Set(mString.substr(pos, n).c_str());
}
