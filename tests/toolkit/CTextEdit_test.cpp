#include "CFrame.h"
#include "CTextEdit.h"
#include "FrameTableHost.h"
#include "PlatformView.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{
VstKeyCode named(unsigned char virt)
{
    VstKeyCode key;
    key.virt = virt;
    return key;
}

struct TextFixture : ::testing::Test
{
    TextFixture()
    {
        frame = new CFrame(CRect(0, 0, 540, 240), view.getNativeHandle(), nullptr);
        field = new CTextEdit(CRect(240, 158, 310, 182), &listener, 45, "20", nullptr, 0);
        other = new CTextEdit(CRect(386, 156, 456, 184), &listener, 46, nullptr, nullptr, 0);
        frame->addView(field);
        frame->addView(other);
    }
    ~TextFixture() override { frame->forget(); }
    // The open field's text as edited so far (the host only sees the text it opened with).
    std::string Editing() const { return frame->getPlatformView()->getEditText(); }

    orv::test::FrameTableHost view;
    RecordingListener listener;
    CFrame* frame;
    CTextEdit* field;
    CTextEdit* other;
};
} // namespace

TEST_F(TextFixture, TypingAndReturnSetTheTextInsideAnEditBracket)
{
    view.click(CPoint(250, 170));
    ASSERT_TRUE(view.isTextEditOpen());
    EXPECT_EQ(frame->getFocusView(), field);
    EXPECT_EQ(view.getEditText(), "20");
    view.keyDown(named(VKEY_BACK));
    view.keyDown(named(VKEY_BACK));
    EXPECT_TRUE(view.typeText("19990"));
    EXPECT_EQ(Editing(), "19990");
    EXPECT_STREQ(field->getText(), "20") << "the field takes the text only when the entry ends";
    EXPECT_TRUE(listener.calls.empty());

    view.keyDown(named(VKEY_RETURN));
    EXPECT_FALSE(view.isTextEditOpen());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_STREQ(field->getText(), "19990");
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "value 0.00", "end"}));
}

TEST_F(TextFixture, EscapeDropsTheTextAndAnUnchangedTextIsNotReported)
{
    view.click(CPoint(250, 170));
    view.typeText("5");
    view.keyDown(named(VKEY_ESCAPE));
    EXPECT_FALSE(view.isTextEditOpen());
    EXPECT_STREQ(field->getText(), "20");

    view.click(CPoint(250, 170));
    EXPECT_TRUE(view.commitTextEdit());
    EXPECT_TRUE(listener.calls.empty()) << "same text: nothing changed";
    EXPECT_FALSE(view.commitTextEdit()) << "no entry open any more";
}

TEST_F(TextFixture, ClickingAnotherFieldCommitsTheFirst)
{
    view.click(CPoint(250, 170));
    view.setEditText("-5");
    view.click(CPoint(400, 170));
    EXPECT_STREQ(field->getText(), "-5");
    EXPECT_EQ(frame->getFocusView(), other);
    EXPECT_TRUE(view.isTextEditOpen());
    EXPECT_EQ(view.getEditText(), "");
    EXPECT_TRUE(view.typeText("300000\xc3\xa9"));
    EXPECT_EQ(Editing(), "300000\xc3\xa9") << "UTF-8 typed as whole characters";
    view.keyDown(named(VKEY_BACK));
    EXPECT_EQ(Editing(), "300000") << "backspace removes a whole character";
    view.keyDown(named(VKEY_ENTER));
    EXPECT_STREQ(other->getText(), "300000");
    EXPECT_EQ(listener.calls.size(), 6u);
}

TEST_F(TextFixture, RemovedOrDestroyedFieldsLeaveNoOpenEntry)
{
    view.click(CPoint(250, 170));
    frame->removeView(field);
    EXPECT_FALSE(view.isTextEditOpen());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(view.typeText("1")) << "keys go to the frame, which has no focus view";

    view.click(CPoint(400, 170));
    ASSERT_TRUE(view.isTextEditOpen());
    view.typeText("7");
    frame->forget(); // closing the editor while typing commits nothing
    frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_FALSE(view.isTextEditOpen());
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(TextFixture, ControlCharactersInTypedTextActAsTheirKeys)
{
    view.click(CPoint(250, 170));
    EXPECT_FALSE(view.typeText("\b\b1\x01"
                               "2\x7f"
                               "5\n"));
    EXPECT_FALSE(view.isTextEditOpen()) << "the line feed ended the entry";
    // typeText answered false above: the 0x01 was not used.
    EXPECT_STREQ(field->getText(), "15") << "backspaces deleted, 0x01 ignored";

    view.click(CPoint(250, 170));
    view.typeText("99\x1b");
    EXPECT_FALSE(view.isTextEditOpen());
    EXPECT_STREQ(field->getText(), "15") << "escape dropped the entry";
}
