#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv::host
{

// What the host hands an editor as its native view (container type 1), seen from the host:
// the picture the editor shows there, and input made the way a user makes it. Two kinds: a
// frame table without a display (HostFrameView) and a real X11 window (HostX11View). One
// thread at a time.
class HostNativeView
{
public:
    virtual ~HostNativeView() = default;

    // The pointer to hand over as the native view; owned by this object.
    virtual void* NativeView() = 0;
    virtual bool HasFrame() const = 0;
    // The editor's frame as it sits in the view; 0 x 0 without one.
    virtual uint32_t FrameWidth() const = 0;
    virtual uint32_t FrameHeight() const = 0;
    // Gives the view the editor's size and shows it; false when it cannot be shown.
    virtual bool Show(uint32_t width, uint32_t height) = 0;
    // Takes what is on screen now into the picture; false when there is nothing.
    virtual bool Capture() = 0;

    // Input; each returns whether it reached the editor. False without a frame.
    virtual bool Click(double x, double y) = 0;
    virtual bool IsMenuOpen() = 0;
    // Chooses an entry of the open menu by title (the first selectable one) or 0-based index.
    virtual bool ChooseMenuEntry(const std::string& title) = 0;
    virtual bool ChooseMenuEntry(int32_t index) = 0;
    virtual bool CancelMenu() = 0;
    virtual bool IsTextEditOpen() = 0;
    // Deletes the open field's text, types `text` in its place and accepts it.
    virtual bool ReplaceEditText(const std::string& text) = 0;
    // Time passes for the editor; the host's own window events are handled.
    virtual bool AdvanceTime(uint32_t milliseconds) = 0;
    // The user asked to close the view (a window manager's close).
    virtual bool CloseRequested() const { return false; }

    // What the editor needs from the host to take input from a real display: its timer
    // (TimerWakeup, then a pump of the host's queue). Waiting for the editor runs it.
    void SetService(std::function<void()> service) { mService = std::move(service); }
    // Waits (boundedly) until `condition` holds; a view without a display never waits.
    virtual bool WaitFor(const std::function<bool()>& condition) { return condition(); }

    // The last picture taken: width x height pixels, 0xAARRGGBB premultiplied.
    uint32_t Width() const { return mWidth; }
    uint32_t Height() const { return mHeight; }
    const std::vector<uint32_t>& Pixels() const { return mPixels; }
    // One pixel, 0 outside the picture.
    uint32_t Pixel(uint32_t x, uint32_t y) const;
    // Writes the last picture as PNG; false without one or on a write error.
    bool SavePNG(const std::string& path) const;

protected:
    // Takes height rows of width pixels, rows `stride` bytes apart.
    void SetPicture(const uint8_t* pixels, uint32_t width, uint32_t height, size_t stride);
    void Service() const
    {
        if (mService) mService();
    }

    uint32_t mWidth = 0;
    uint32_t mHeight = 0;
    std::vector<uint32_t> mPixels;

private:
    std::function<void()> mService;
};

} // namespace orv::host
