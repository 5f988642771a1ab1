#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "CControl.h"
#include "CControlListener.h"
#include "CFrame.h"
#include "FrameTableHost.h"

namespace VSTGUI
{
// Readable colours in failure messages.
inline void PrintTo(const CColor& c, std::ostream* os)
{
    *os << "rgba(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", "
        << int(c.alpha) << ")";
}
} // namespace VSTGUI

namespace orv::test
{

// A black toolkit frame embedded through a host's frame table, for drawing single controls.
class EditorRendering
{
public:
    static constexpr VSTGUI::CCoord kWidth = 540;
    static constexpr VSTGUI::CCoord kHeight = 200;

    EditorRendering()
        : frame(new VSTGUI::CFrame(VSTGUI::CRect(0, 0, kWidth, kHeight), view.getNativeHandle(),
                                   nullptr))
    {
        frame->setBackgroundColor(VSTGUI::kBlackCColor);
    }
    ~EditorRendering() { frame->forget(); }

    FrameTableHost view;
    VSTGUI::CFrame* frame;
};

// Counts what controls tell their listener.
class RecordingListener : public VSTGUI::CControlListener
{
public:
    void valueChanged(VSTGUI::CControl* control) override
    {
        ++valueChanges;
        lastValue = control->getValue();
    }
    void controlBeginEdit(VSTGUI::CControl*) override { calls.push_back("begin"); }
    void controlEndEdit(VSTGUI::CControl*) override { calls.push_back("end"); }

    int valueChanges = 0;
    float lastValue = 0.0f;
    std::vector<std::string> calls;
};

} // namespace orv::test
