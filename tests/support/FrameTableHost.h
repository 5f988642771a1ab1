#pragma once

#include <cstdint>
#include <string>

#include "CButtonState.h"
#include "CColor.h"
#include "CRect.h"
#include "HostFrameView.h"
#include "ImageSurface.h"
#include "VstKeyCode.h"

namespace orv::test
{

// A host for toolkit frames in tests, benchmarks and fuzzing: the reference host's frame table
// (an AAX_LinuxNativeView of the Frames kind) behind the toolkit's own vocabulary, so a frame
// is embedded the way a host embeds it and only plain data crosses. It keeps the last frame
// presented, the open menu and text field, and makes input as a user would.
class FrameTableHost
{
public:
    // The pointer to hand a CFrame or an editor as the native parent view.
    void* getNativeHandle() { return host.NativeView(); }
    host::HostFrameView& table() { return host; }

    bool hasFrame() const { return host.HasFrame(); }
    // The frame's size as it was last presented (what changed is presented first).
    VSTGUI::CRect getFrameRect()
    {
        render();
        return VSTGUI::CRect(0, 0, host.FrameWidth(), host.FrameHeight());
    }

    // Lets the frame present what changed (no time passes); false with no picture at all.
    bool render() { return host.AdvanceTime(0) && host.Capture(); }
    // A pixel of the last picture, straight colour; transparent outside it.
    VSTGUI::CColor getPixel(uint32_t x, uint32_t y) const
    {
        return VSTGUI::ImageSurface::straightColour(host.Pixel(x, y));
    }
    bool savePNG(const std::string& path) { return render() && host.SavePNG(path); }

    bool mouseDown(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons)
    {
        return host.MouseDown(where.x, where.y, Buttons(buttons));
    }
    bool mouseMoved(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons)
    {
        return host.MouseMoved(where.x, where.y, Buttons(buttons));
    }
    bool mouseUp(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons)
    {
        return host.MouseUp(where.x, where.y, Buttons(buttons));
    }
    bool click(const VSTGUI::CPoint& where) { return host.Click(where.x, where.y); }
    // Named keys travel as the table's keys (Enter as Return), characters as code points.
    bool keyDown(const VSTGUI::VstKeyCode& key)
    {
        return host.Key(key.character, Key(key.virt), Modifiers(key.modifier));
    }
    bool typeText(const std::string& text) { return host.Type(text); }
    bool advanceTime(uint32_t milliseconds) { return host.AdvanceTime(milliseconds); }

    bool isMenuOpen() { return host.IsMenuOpen(); }
    bool chooseMenuEntry(int32_t index) { return host.ChooseMenuEntry(index); }
    bool chooseMenuEntry(const std::string& title) { return host.ChooseMenuEntry(title); }
    bool cancelMenu() { return host.CancelMenu(); }

    bool isTextEditOpen() { return host.IsTextEditOpen(); }
    // The text the open field opened with (the host is not told each key's edit).
    std::string getEditText() const { return host.EditText(); }
    // Deletes the text the field opened with and types `text`, leaving the field open.
    bool setEditText(const std::string& text)
    {
        if (!host.IsTextEditOpen()) return false;
        for (unsigned char c : host.EditText())
            if ((c & 0xc0) != 0x80 && !host.Key(0, AAX_eLinuxViewKey_Back)) return false;
        return text.empty() || host.Type(text);
    }
    bool commitTextEdit() { return host.IsTextEditOpen() && host.Key(0, AAX_eLinuxViewKey_Return); }
    bool cancelTextEdit() { return host.IsTextEditOpen() && host.Key(0, AAX_eLinuxViewKey_Escape); }

private:
    static uint32_t Buttons(const VSTGUI::CButtonState& buttons)
    {
        const int32_t state = buttons.getButtonState();
        uint32_t bits = 0;
        if (state & VSTGUI::kLButton) bits |= AAX_eLinuxViewButton_Left;
        if (state & VSTGUI::kMButton) bits |= AAX_eLinuxViewButton_Middle;
        if (state & VSTGUI::kRButton) bits |= AAX_eLinuxViewButton_Right;
        if (state & VSTGUI::kShift) bits |= AAX_eLinuxViewButton_Shift;
        if (state & VSTGUI::kControl) bits |= AAX_eLinuxViewButton_Control;
        if (state & VSTGUI::kAlt) bits |= AAX_eLinuxViewButton_Alt;
        if (state & VSTGUI::kDoubleClick) bits |= AAX_eLinuxViewButton_DoubleClick;
        return bits;
    }
    static int32_t Key(unsigned char virt)
    {
        switch (virt)
        {
        case VSTGUI::VKEY_BACK:
            return AAX_eLinuxViewKey_Back;
        case VSTGUI::VKEY_RETURN:
        case VSTGUI::VKEY_ENTER:
            return AAX_eLinuxViewKey_Return;
        case VSTGUI::VKEY_ESCAPE:
            return AAX_eLinuxViewKey_Escape;
        case VSTGUI::VKEY_TAB:
            return AAX_eLinuxViewKey_Tab;
        default:
            return AAX_eLinuxViewKey_None;
        }
    }
    static uint32_t Modifiers(unsigned char modifier)
    {
        uint32_t bits = 0;
        if (modifier & VSTGUI::MODIFIER_SHIFT) bits |= AAX_eLinuxViewButton_Shift;
        if (modifier & VSTGUI::MODIFIER_ALTERNATE) bits |= AAX_eLinuxViewButton_Alt;
        if (modifier & VSTGUI::MODIFIER_CONTROL) bits |= AAX_eLinuxViewButton_Control;
        return bits;
    }

    host::HostFrameView host;
};

} // namespace orv::test
