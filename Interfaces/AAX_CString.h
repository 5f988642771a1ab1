#pragma once

#include <string>

#include "AAX_IString.h"

// The owned byte string behind AAX_IString. A plain value: copies share nothing, and one
// string is used by one thread at a time.
class AAX_CString : public AAX_IString
{
public:
    static constexpr uint32 kMaxStringLength = 0xFFFFFFFEu;

    AAX_CString() = default;
    // A null text gives the empty string.
    AAX_CString(const char* text);
    AAX_CString(const AAX_CString& other) = default;
    AAX_CString(AAX_CString&& other) noexcept = default;
    explicit AAX_CString(const AAX_IString& other);
    explicit AAX_CString(const std::string& text);
    ~AAX_CString() override = default;

    AAX_CString& operator=(const AAX_CString& other);
    AAX_CString& operator=(AAX_CString&& other) noexcept;
    AAX_CString& operator=(const AAX_IString& other) override;
    AAX_CString& operator=(const char* text) override;

    uint32 Length() const override;
    uint32 MaxLength() const override;
    const char* Get() const override;
    // A null text is taken as empty rather than read.
    void Set(const char* text) override;

    const char* CString() const { return Get(); }
    const std::string& StdString() const { return mString; }

    void Clear();
    // Removes n bytes from pos; bytes past the end are not there to remove, and a pos past
    // the end removes nothing.
    AAX_CString& Erase(uint32 pos, uint32 n);
    // Appends value in fixed notation with exactly precision digits after the point, as the
    // standard stream formatter writes it in the classic locale. A negative precision
    // counts as 0.
    AAX_CString& AppendNumber(double value, int32 precision);
    // Reads a leading number as the standard stream extractor does; on failure writes 0.0 and
    // returns false.
    bool ToDouble(double* outValue) const;
    // Sets outString to at most n bytes starting at pos (the empty text when pos is at or
    // past the end).
    void SubString(uint32 pos, uint32 n, AAX_IString* outString) const;

    bool operator==(const AAX_CString& other) const { return mString == other.mString; }
    bool operator!=(const AAX_CString& other) const { return mString != other.mString; }
    // No bounds check: index must be below Length().
    char& operator[](uint32 index) { return mString[index]; }
    const char& operator[](uint32 index) const { return mString[index]; }

private:
    std::string mString;
};
