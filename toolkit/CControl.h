#pragma once

#include "CView.h"

namespace VSTGUI
{

class CControlListener;

// A view with a value between a minimum and a maximum (0 and 1 unless set), a default
// value, a tag that identifies it to its listener, and edit brackets around each change
// the user makes. The listener is borrowed.
class CControl : public CView
{
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);

    // Stores the value clamped to [min, max].
    virtual void setValue(float val);
    virtual float getValue() const { return value; }
    virtual void setValueNormalized(float val);
    virtual float getValueNormalized() const;
    virtual void setMin(float val) { vmin = val; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float val) { vmax = val; }
    virtual float getMax() const { return vmax; }
    float getRange() const { return vmax - vmin; }
    virtual void setDefaultValue(float val) { defaultValue = val; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setOldValue(float val) { oldValue = val; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setWheelInc(float val) { wheelInc = val; }
    virtual float getWheelInc() const { return wheelInc; }

    // Brings the value back into [min, max]; true when it had to move.
    virtual bool bounceValue();
    // Restores the default value for the default-value click (left button with Alt) and
    // tells the listener; false, changing nothing, for any other button state.
    virtual bool checkDefaultValue(CButtonState button);

    // Tells the listener (and nothing else) that the value changed.
    virtual void valueChanged();
    // Edit brackets: the listener first, then the frame's editor with the tag.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editDepth > 0; }

    virtual void setTag(int32_t val);
    virtual int32_t getTag() const { return tag; }
    virtual void setListener(CControlListener* l) { listener = l; }
    CControlListener* getListener() const { return listener; }

    virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
    const CPoint& getBackOffset() const { return backOffset; }

    // Dirty while the value differs from the one last drawn.
    bool isDirty() const override;
    void setDirty(const bool val = true) override;

    void draw(CDrawContext* context) override;
    // A control that leaves mid-edit closes its brackets, unless the whole frame is
    // closing (its listener may already be gone).
    bool removed(CView* parent) override;

protected:
    CControlListener* listener;
    int32_t tag;
    float value = 0.f;
    float oldValue = 1.f;
    float defaultValue = 0.5f;
    float vmin = 0.f;
    float vmax = 1.f;
    float wheelInc = 0.1f;
    CPoint backOffset;

private:
    int32_t editDepth = 0;
};

} // namespace VSTGUI
