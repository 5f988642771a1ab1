#pragma once

#include "CBaseObject.h"

#include <string>

namespace VSTGUI
{

// One entry of an option menu. The title "-" makes a separator.
class CMenuItem : public CBaseObject
{
public:
    enum Flags
    {
        kNoFlags = 0,
        kDisabled = 1 << 0,
        kChecked = 1 << 1,
        kTitle = 1 << 2,
        kSeparator = 1 << 3
    };

    CMenuItem(UTF8StringPtr title, int32_t flags = kNoFlags);

    void setTitle(UTF8StringPtr newTitle);
    UTF8StringPtr getTitle() const { return title.c_str(); }
    int32_t getFlags() const { return flags; }
    void setEnabled(bool state = true) { setFlag(kDisabled, !state); }
    void setChecked(bool state = true) { setFlag(kChecked, state); }
    void setIsTitle(bool state = true) { setFlag(kTitle, state); }
    void setIsSeparator(bool state = true) { setFlag(kSeparator, state); }
    bool isEnabled() const { return !(flags & kDisabled); }
    bool isChecked() const { return (flags & kChecked) != 0; }
    bool isTitle() const { return (flags & kTitle) != 0; }
    bool isSeparator() const { return (flags & kSeparator) != 0; }

private:
    void setFlag(int32_t flag, bool state) { flags = state ? (flags | flag) : (flags & ~flag); }

    std::string title;
    int32_t flags;
};

} // namespace VSTGUI
