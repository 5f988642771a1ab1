#include "CControl.h"
#include "CFrame.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VSTGUI;

TEST(CControl, ValueStaysWithinMinimumAndMaximum)
{
    RecordingListener listener;
    CControl* control = new CControl(CRect(0, 0, 10, 10), &listener, 7);
    EXPECT_EQ(control->getTag(), 7);
    EXPECT_EQ(control->getListener(), &listener);
    EXPECT_FLOAT_EQ(control->getMin(), 0.f);
    EXPECT_FLOAT_EQ(control->getMax(), 1.f);

    control->setValue(1.5f);
    EXPECT_FLOAT_EQ(control->getValue(), 1.f);
    control->setValue(-0.5f);
    EXPECT_FLOAT_EQ(control->getValue(), 0.f);
    control->setValue(std::nanf(""));
    EXPECT_FLOAT_EQ(control->getValue(), 0.f) << "NaN from a host must not stick";

    control->setMin(10.f);
    control->setMax(20.f);
    control->setValueNormalized(0.25f);
    EXPECT_FLOAT_EQ(control->getValue(), 12.5f);
    EXPECT_FLOAT_EQ(control->getValueNormalized(), 0.25f);

    // Narrowing the range leaves the value alone until it is bounced back in.
    control->setMax(11.f);
    EXPECT_FLOAT_EQ(control->getValue(), 12.5f);
    EXPECT_TRUE(control->bounceValue());
    EXPECT_FLOAT_EQ(control->getValue(), 11.f);
    EXPECT_FALSE(control->bounceValue());

    EXPECT_TRUE(listener.calls.empty()) << "setting a value is not a user change";
    control->forget();
}

TEST(CControl, EditBracketsReachListenerAndEditorInPairs)
{
    RecordingListener listener;
    RecordingEditor editor;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, &editor);
    CControl* control = new CControl(CRect(0, 0, 10, 10), &listener, 12);
    frame->addView(control);

    control->beginEdit();
    EXPECT_TRUE(control->isEditing());
    control->setValue(0.75f);
    control->valueChanged();
    control->endEdit();
    EXPECT_FALSE(control->isEditing());
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 0.75", "end"}));
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 12", "end 12"}));

    // An end without a begin would leave the listener's brackets unbalanced.
    control->endEdit();
    EXPECT_EQ(listener.calls.size(), 3u);
    EXPECT_EQ(editor.calls.size(), 2u);
    frame->forget();
}

TEST(CControl, DefaultValueClickRestoresDefaultOnlyForLeftButtonWithAlt)
{
    RecordingListener listener;
    CControl* control = new CControl(CRect(0, 0, 10, 10), &listener, 1);
    control->setDefaultValue(0.25f);
    control->setValue(0.9f);
    control->setDirty(false);

    EXPECT_FALSE(control->checkDefaultValue(kLButton | kAlt | kShift));
    EXPECT_FALSE(control->checkDefaultValue(kLButton));
    EXPECT_FLOAT_EQ(control->getValue(), 0.9f);
    EXPECT_TRUE(listener.calls.empty());

    EXPECT_TRUE(control->checkDefaultValue(kLButton | kAlt));
    EXPECT_FLOAT_EQ(control->getValue(), 0.25f);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 0.25", "end"}));

    // Already at the default: bracketed, but no change to report.
    listener.calls.clear();
    control->setDirty(false);
    EXPECT_TRUE(control->checkDefaultValue(kLButton | kAlt));
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "end"}));
    control->forget();
}

TEST(CControl, DirtyUntilDrawnWithTheCurrentValue)
{
    CControl* control = new CControl(CRect(0, 0, 10, 10));
    control->setDirty(false);
    EXPECT_FALSE(control->isDirty());
    control->setValue(0.5f);
    EXPECT_TRUE(control->isDirty());
    control->setDirty(false);
    EXPECT_FALSE(control->isDirty());
    control->setDirty(true);
    EXPECT_TRUE(control->isDirty()) << "forced dirty even though the value did not move";
    control->invalid();
    EXPECT_FALSE(control->isDirty()) << "invalidating hands the redraw to the frame";
    control->forget();
}

TEST(CControl, TagChangeTellsTheListener)
{
    struct TagListener : RecordingListener
    {
        void controlTagWillChange(CControl* c) override
        {
            calls.push_back("will " + std::to_string(c->getTag()));
        }
        void controlTagDidChange(CControl* c) override
        {
            calls.push_back("did " + std::to_string(c->getTag()));
        }
    } listener;
    CControl* control = new CControl(CRect(0, 0, 10, 10), &listener, 3);
    control->setTag(4);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"will 3", "did 4"}));
    control->forget();
}
