#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "AAX_LinuxNativeView.h"
#include "HostNativeView.h"

typedef struct _XDisplay Display;

namespace orv::host
{

// The host's editor window on an X11 display: a top-level window titled "Orvendal QV" that
// the editor makes its child window in. Input is made with XTest, so it reaches the editor
// exactly as a user's mouse and keyboard do; the picture is grabbed from the screen. The
// window manager's close is noticed, not obeyed: the owner decides when to close.
class HostX11View : public HostNativeView
{
public:
    static constexpr const char* kTitle = "Orvendal QV";

    // Opens `display` (null: $DISPLAY) and makes the window, still hidden; null with a
    // one-line reason when no display can be opened.
    static std::unique_ptr<HostX11View> Open(const char* display, std::string* error);
    ~HostX11View() override;
    HostX11View(const HostX11View&) = delete;
    HostX11View& operator=(const HostX11View&) = delete;

    void* NativeView() override { return &mNative; }
    unsigned long TopWindow() const { return mWindow; }
    bool HasFrame() const override;
    uint32_t FrameWidth() const override;
    uint32_t FrameHeight() const override;
    // Sizes the window to the editor (fixed size), shows it and waits until it is mapped.
    bool Show(uint32_t width, uint32_t height) override;
    bool Capture() override;

    bool Click(double x, double y) override;
    bool IsMenuOpen() override;
    bool ChooseMenuEntry(const std::string& title) override;
    bool ChooseMenuEntry(int32_t index) override;
    bool CancelMenu() override;
    bool IsTextEditOpen() override;
    bool ReplaceEditText(const std::string& text) override;
    bool AdvanceTime(uint32_t milliseconds) override;
    bool CloseRequested() const override { return mCloseRequested; }
    bool WaitFor(const std::function<bool()>& condition) override;

private:
    HostX11View(Display* display, unsigned long window);
    unsigned long FrameWindow() const;
    // The open menu's window and titles; false when none is open.
    bool FindMenu(unsigned long* window, std::vector<std::string>* titles);
    // The open text field's window and text; false when none is open.
    bool FindTextField(unsigned long* window, std::string* text);
    // Pointer to (x, y) of `window`, then a press and release of the left button.
    bool ClickIn(unsigned long window, int x, int y);
    bool PressKey(unsigned long keysym);
    bool Type(const std::string& text);
    // Lets the editor take what the server sent it: a few rounds of its timer.
    void Settle();

    Display* mDisplay;
    unsigned long mWindow;
    unsigned long mDeleteAtom;
    AAX_LinuxNativeView mNative;
    bool mCloseRequested = false;
};

} // namespace orv::host
