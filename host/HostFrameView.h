#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AAX_LinuxNativeView.h"
#include "HostNativeView.h"

namespace orv::host
{

// The host's native view for an editor without a display: the C function table a plug-in
// embeds its frame through. It keeps the last frame the plug-in presented, the menu and text
// field it has open, and sends the plug-in input as a user would make it. Only the plain
// data of AAX_LinuxNativeView crosses to the plug-in. One thread at a time.
class HostFrameView : public HostNativeView
{
public:
    struct MenuEntry
    {
        std::string title;
        bool selectable = false;
    };

    HostFrameView();
    ~HostFrameView() override = default;
    HostFrameView(const HostFrameView&) = delete;
    HostFrameView& operator=(const HostFrameView&) = delete;

    // The pointer to hand over as the native view (container type 1).
    void* NativeView() override { return &mNative; }

    bool HasFrame() const override { return mInput.send != nullptr; }
    // The frame's size: as it embedded itself, then as last presented; 0 x 0 without one.
    uint32_t FrameWidth() const override { return mFrameWidth; }
    uint32_t FrameHeight() const override { return mFrameHeight; }
    // Nothing to show: the picture is what the editor presented last.
    bool Show(uint32_t, uint32_t) override { return HasFrame(); }
    bool Capture() override { return !mPixels.empty(); }

    // Input; each returns whether the plug-in used it. False without a frame.
    bool MouseDown(double x, double y, uint32_t buttons = AAX_eLinuxViewButton_Left);
    bool MouseMoved(double x, double y, uint32_t buttons);
    bool MouseUp(double x, double y, uint32_t buttons = AAX_eLinuxViewButton_Left);
    // Down then, when down was used, up at the same point.
    bool Click(double x, double y) override;
    bool Key(int32_t character, int32_t key = AAX_eLinuxViewKey_None, uint32_t buttons = 0);
    // Types UTF-8 text one code point at a time; true when every one was used.
    bool Type(const std::string& text);
    bool AdvanceTime(uint32_t milliseconds) override;

    bool IsMenuOpen() override { return mMenuOpen; }
    const std::vector<MenuEntry>& MenuEntries() const { return mMenu; }
    bool ChooseMenuEntry(int32_t index) override;
    bool ChooseMenuEntry(const std::string& title) override;
    bool CancelMenu() override;

    bool IsTextEditOpen() override { return mTextEditOpen; }
    const std::string& EditText() const { return mEditText; }
    bool ReplaceEditText(const std::string& text) override;

private:
    static void OnAttached(void* context, const AAX_LinuxViewInput* input, uint32_t width,
                           uint32_t height);
    static void OnPresent(void* context, const uint8_t* pixels, uint32_t width, uint32_t height,
                          uint32_t stride);
    static void OnMenu(void* context, const AAX_LinuxViewMenu* menu);
    static void OnTextEdit(void* context, const char* text);
    bool Send(AAX_LinuxViewEvent event);

    AAX_LinuxFrameTable mTable;
    AAX_LinuxNativeView mNative;
    AAX_LinuxViewInput mInput{nullptr, nullptr};
    uint32_t mFrameWidth = 0;
    uint32_t mFrameHeight = 0;
    bool mMenuOpen = false;
    std::vector<MenuEntry> mMenu;
    bool mTextEditOpen = false;
    std::string mEditText;
};

} // namespace orv::host
