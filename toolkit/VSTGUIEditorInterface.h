#pragma once

#include <cstdint>

namespace VSTGUI
{

class CFrame;
class CRect;

// What the frame asks of the editor that embeds it: edit brackets by control tag, idle
// work during long operations, and consent to a size change.
class VSTGUIEditorInterface
{
public:
    virtual void doIdleStuff() {}
    virtual int32_t getKnobMode() const { return -1; }
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual CFrame* getFrame() const { return frame; }
    virtual bool beforeSizeChange(const CRect& /*newSize*/, const CRect& /*oldSize*/)
    {
        return true;
    }

protected:
    VSTGUIEditorInterface() = default;
    virtual ~VSTGUIEditorInterface() = default;

    CFrame* frame = nullptr;
};

} // namespace VSTGUI
