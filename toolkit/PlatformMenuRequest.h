#pragma once

#include "CRect.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI
{

// Answers an open menu. Called by the platform view when its caller picks an entry.
class IPlatformMenuClient
{
public:
    virtual void platformMenuChosen(int32_t index) = 0;

protected:
    virtual ~IPlatformMenuClient() = default;
};

// A menu that a control asked the platform view to show, as the user would see it.
struct PlatformMenuRequest
{
    struct Entry
    {
        std::string title;
        bool enabled = true;
        bool separator = false;
        bool isTitle = false; // a section title: shown, not selectable
        bool checked = false;
    };

    std::vector<Entry> entries;
    int32_t currentIndex = -1;
    CRect where; // the control's area, frame coordinates
    IPlatformMenuClient* client = nullptr;

    bool isSelectable(int32_t index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= entries.size()) return false;
        const Entry& entry = entries[index];
        return entry.enabled && !entry.separator && !entry.isTitle;
    }
};

} // namespace VSTGUI
