#pragma once

#include <string>

#include "AAX_IString.h"

namespace orv::host
{

// The host's own text for operations that hand a string to the plug-in to fill.
class HostString : public AAX_IString
{
public:
    // Longest text the host accepts from the plug-in; anything longer is cut.
    static constexpr uint32 kMaxLength = 4096;

    HostString() = default;
    explicit HostString(const char* text) { Set(text); }

    uint32 Length() const override { return static_cast<uint32>(mText.size()); }
    uint32 MaxLength() const override { return kMaxLength; }
    const char* Get() const override { return mText.c_str(); }
    void Set(const char* text) override;
    AAX_IString& operator=(const AAX_IString& other) override;
    AAX_IString& operator=(const char* text) override;

    const std::string& Text() const { return mText; }

private:
    std::string mText;
};

} // namespace orv::host
