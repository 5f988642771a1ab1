#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AAX_LinuxNativeView.h"

namespace orv::host
{

// The host's native view for an editor without a display: the C function table a plug-in
// embeds its frame through. It keeps the last frame the plug-in presented, the menu and text
// field it has open, and sends the plug-in input as a user would make it. Only the plain
// data of AAX_LinuxNativeView crosses to the plug-in. One thread at a time.
class HostFrameView
{
public:
    struct MenuEntry
    {
        std::string title;
        bool selectable = false;
    };

    HostFrameView();
    ~HostFrameView() = default;
    HostFrameView(const HostFrameView&) = delete;
    HostFrameView& operator=(const HostFrameView&) = delete;

    // The pointer to hand over as the native view (container type 1).
    void* NativeView() { return &mNative; }

    bool HasFrame() const { return mInput.send != nullptr; }
    // The frame's size: as it embedded itself, then as last presented; 0 x 0 without one.
    uint32_t FrameWidth() const { return mFrameWidth; }
    uint32_t FrameHeight() const { return mFrameHeight; }

    // The last presented picture: width x height pixels, 0xAARRGGBB premultiplied.
    uint32_t Width() const { return mWidth; }
    uint32_t Height() const { return mHeight; }
    const std::vector<uint32_t>& Pixels() const { return mPixels; }
    // One pixel, 0 outside the picture.
    uint32_t Pixel(uint32_t x, uint32_t y) const;
    // Writes the last presented picture as PNG; false without one or on a write error.
    bool SavePNG(const std::string& path) const;

    // Input; each returns whether the plug-in used it. False without a frame.
    bool MouseDown(double x, double y, uint32_t buttons = AAX_eLinuxViewButton_Left);
    bool MouseMoved(double x, double y, uint32_t buttons);
    bool MouseUp(double x, double y, uint32_t buttons = AAX_eLinuxViewButton_Left);
    // Down then, when down was used, up at the same point.
    bool Click(double x, double y);
    bool Key(int32_t character, int32_t key = AAX_eLinuxViewKey_None, uint32_t buttons = 0);
    // Types UTF-8 text one code point at a time; true when every one was used.
    bool Type(const std::string& text);
    bool AdvanceTime(uint32_t milliseconds);

    bool IsMenuOpen() const { return mMenuOpen; }
    const std::vector<MenuEntry>& MenuEntries() const { return mMenu; }
    bool ChooseMenuEntry(int32_t index);
    // The first selectable entry titled `title`.
    bool ChooseMenuEntry(const std::string& title);
    bool CancelMenu();

    bool IsTextEditOpen() const { return mTextEditOpen; }
    const std::string& EditText() const { return mEditText; }
    // Deletes the open field's text and types `text` in its place, then accepts it.
    bool ReplaceEditText(const std::string& text);

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
    uint32_t mWidth = 0;
    uint32_t mHeight = 0;
    std::vector<uint32_t> mPixels;
    bool mMenuOpen = false;
    std::vector<MenuEntry> mMenu;
    bool mTextEditOpen = false;
    std::string mEditText;
};

} // namespace orv::host
