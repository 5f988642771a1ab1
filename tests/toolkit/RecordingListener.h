#pragma once

#include "CColor.h"
#include "CControl.h"
#include "CControlListener.h"
#include "VSTGUIEditorInterface.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

// Records what a control tells its listener, as "begin", "value 1.00" and "end" entries.
class RecordingListener : public VSTGUI::CControlListener
{
public:
    void valueChanged(VSTGUI::CControl* control) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "value %.2f", control->getValue());
        calls.push_back(text);
    }
    void controlBeginEdit(VSTGUI::CControl*) override { calls.push_back("begin"); }
    void controlEndEdit(VSTGUI::CControl*) override { calls.push_back("end"); }

    std::vector<std::string> calls;
};

// Records the frame's edit brackets by tag.
class RecordingEditor : public VSTGUI::VSTGUIEditorInterface
{
public:
    void beginEdit(int32_t index) override { calls.push_back("begin " + std::to_string(index)); }
    void endEdit(int32_t index) override { calls.push_back("end " + std::to_string(index)); }
    bool beforeSizeChange(const VSTGUI::CRect&, const VSTGUI::CRect&) override
    {
        return allowResize;
    }

    std::vector<std::string> calls;
    bool allowResize = true;
};

namespace VSTGUI
{
// Readable colours in test failure messages.
inline void PrintTo(const CColor& c, std::ostream* os)
{
    *os << "rgba(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", "
        << int(c.alpha) << ")";
}
} // namespace VSTGUI
