#pragma once

#include "CButtonState.h"
#include "CColor.h"
#include "CRect.h"
#include "ImageSurface.h"
#include "PlatformMenuRequest.h"
#include "PlatformTextEditRequest.h"
#include "VstKeyCode.h"

#include <cstdint>
#include <string>

namespace VSTGUI
{

class CDragContainer;
class IPlatformFrameCallback;

// Told what a platform view shows, so it can be passed on to a host: each finished render,
// and the menus and text fields as they open and close.
class IPlatformViewObserver
{
public:
    virtual void platformViewRendered(const ImageSurface& image) = 0;
    // The open menu, or null when it closed.
    virtual void platformViewMenuChanged(const PlatformMenuRequest* menu) = 0;
    // The open text field's text, or null when it closed.
    virtual void platformViewTextEditChanged(const std::string* text) = 0;
    // The embedded frame took a new size (origin 0, 0); a finished picture of it follows later.
    virtual void platformViewResized(const CRect&) {}

protected:
    virtual ~IPlatformViewObserver() = default;
};

// An offscreen surface that one CFrame embeds itself in: the common part of the platform
// views made for a host's native view (FrameTableView, X11FrameView). Its owner drives it
// the way a user would: draws the frame into its image, sends mouse, keyboard and drag
// events, answers the menus and text fields the controls open on it, and lets time pass
// for the toolkit's timers. Hosts never see it: they hand over an AAX_LinuxNativeView.
//
// The owner keeps the view until the frame is gone (or destroys it first: the frame is then
// told and forgets it). All calls come from one thread.
class PlatformView
{
public:
    PlatformView();
    ~PlatformView();
    PlatformView(const PlatformView&) = delete;
    PlatformView& operator=(const PlatformView&) = delete;

    // --- The caller's side ---

    bool hasFrame() const { return frame != nullptr; }
    // One observer at a time (null for none); borrowed, it must outlive the view or be reset.
    void setObserver(IPlatformViewObserver* newObserver) { observer = newObserver; }
    // The embedded frame's size, origin (0, 0); empty without a frame.
    CRect getFrameRect() const { return frameRect; }

    // Draws the frame (all of it, or `updateRect`) into the image. False without a frame
    // or when the frame is empty or too large for an image.
    bool render();
    bool render(const CRect& updateRect);
    // Renders what has been invalidated since the last render; false when nothing was.
    bool renderIfNeeded();
    bool needsRedraw() const { return !invalidArea.isEmpty(); }
    CRect getInvalidRect() const { return invalidArea; }
    const ImageSurface& getImage() const { return image; }
    CColor getPixel(int32_t x, int32_t y) const { return image.getPixel(x, y); }
    // Brings the image up to date and writes it as PNG; false with no image or on a
    // write error.
    bool savePNG(const std::string& path);

    // Mouse events at a point in frame coordinates. While a menu is open a mouse-down
    // only closes the menu, as a click beside a pop-up menu does.
    CMouseEventResult mouseDown(const CPoint& where, const CButtonState& buttons);
    CMouseEventResult mouseMoved(const CPoint& where, const CButtonState& buttons);
    CMouseEventResult mouseUp(const CPoint& where, const CButtonState& buttons);
    // Mouse-down then mouse-up at the same point.
    CMouseEventResult click(const CPoint& where, const CButtonState& buttons = kLButton);

    // A key press. While a text field is open it edits the field: characters are added,
    // VKEY_BACK deletes the last character, VKEY_RETURN / VKEY_ENTER accept the text and
    // VKEY_ESCAPE abandons it; the characters '\n' or '\r', ESC and backspace (0x08 or
    // 0x7f) do the same as those keys, other control characters are ignored. Otherwise
    // the key goes to the frame. True when used.
    bool keyDown(const VstKeyCode& key);
    // Types `text` (UTF-8) one character at a time through keyDown; true when every
    // character was used.
    bool typeText(const std::string& text);

    bool drop(CDragContainer* drag, const CPoint& where);
    void dragEnter(CDragContainer* drag, const CPoint& where);
    void dragMove(CDragContainer* drag, const CPoint& where);
    void dragLeave(CDragContainer* drag, const CPoint& where);

    // Lets `milliseconds` pass: due timers fire, dirty views are invalidated.
    void advanceTime(uint32_t milliseconds);

    bool isMenuOpen() const { return menuOpen; }
    // The open menu; its entry list is empty when none is open.
    const PlatformMenuRequest& getMenu() const { return menu; }
    // Picks an entry of the open menu and closes it; false (menu stays open) when no menu
    // is open or the entry cannot be selected.
    bool chooseMenuEntry(int32_t index);
    bool chooseMenuEntry(const std::string& title);
    // Closes the open menu without a choice.
    void cancelMenu();

    bool isTextEditOpen() const { return textEditOpen; }
    // The text of the open field, empty when none is open.
    std::string getEditText() const { return textEditOpen ? textEdit.text : std::string(); }
    // Where the open field sits, frame coordinates; empty when none is open.
    CRect getTextEditRect() const { return textEditOpen ? textEdit.where : CRect(); }
    // Replaces the open field's text; false when none is open.
    bool setEditText(const std::string& text);
    // Accepts (return key) or abandons (escape) the open field; false when none is open.
    bool commitTextEdit();
    bool cancelTextEdit();

    // --- The frame's side ---

    // Embeds a frame; false when another frame is already embedded.
    bool attachFrame(IPlatformFrameCallback* callback, const CRect& frameSize);
    // Removes the frame; open menus and fields are dropped without calling back.
    void detachFrame(IPlatformFrameCallback* callback);
    void setFrameSize(const CRect& frameSize);
    void invalidRect(const CRect& rect);
    // Shows a menu; false when one is already open or the request has no client.
    bool openMenu(const PlatformMenuRequest& request);
    // Drops the open menu if it belongs to `client`, without calling back.
    void closeMenu(IPlatformMenuClient* client);
    // Opens a text field; an open field of another client is abandoned first.
    bool openTextEdit(const PlatformTextEditRequest& request);
    // Closes the field of `client` and returns its final text (empty when not open).
    std::string closeTextEdit(IPlatformTextEditClient* client);

private:
    void menuClosed();
    void textEditClosed();

    IPlatformFrameCallback* frame = nullptr;
    IPlatformViewObserver* observer = nullptr;
    CRect frameRect;
    ImageSurface image;
    CRect invalidArea;
    bool menuOpen = false;
    PlatformMenuRequest menu;
    bool textEditOpen = false;
    PlatformTextEditRequest textEdit;
};

} // namespace VSTGUI
