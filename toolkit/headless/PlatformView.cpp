#include "PlatformView.h"

#include "AAX_Utf8.h"
#include "IPlatformFrameCallback.h"

#include <cairo.h>

namespace VSTGUI
{

namespace
{
// Appends one Unicode code point as UTF-8; invalid code points are dropped.
void appendUtf8(std::string& text, uint32_t cp)
{
    if (cp < 0x80)
        text += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        text += static_cast<char>(0xc0 | (cp >> 6));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    }
    else if (cp < 0x10000 && (cp < 0xd800 || cp > 0xdfff))
    {
        text += static_cast<char>(0xe0 | (cp >> 12));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    }
    else if (cp >= 0x10000 && cp <= 0x10ffff)
    {
        text += static_cast<char>(0xf0 | (cp >> 18));
        text += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    }
}

void removeLastUtf8Character(std::string& text)
{
    while (!text.empty())
    {
        const unsigned char last = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((last & 0xc0) != 0x80) break;
    }
}

uint32_t nextCodePoint(const std::string& text, size_t& pos)
{
    return AAX_NextUtf8CodePoint(text.data(), text.size(), &pos);
}
} // namespace

PlatformView::PlatformView() = default;

PlatformView::~PlatformView()
{
    if (frame)
    {
        IPlatformFrameCallback* closing = frame;
        frame = nullptr;
        closing->platformViewClosed();
    }
}

bool PlatformView::render()
{
    return render(frameRect);
}

bool PlatformView::render(const CRect& updateRect)
{
    if (!frame || frameRect.isEmpty()) return false;
    const int32_t width = static_cast<int32_t>(frameRect.width());
    const int32_t height = static_cast<int32_t>(frameRect.height());
    CRect area(updateRect);
    if (image.getWidth() != width || image.getHeight() != height)
    {
        image = ImageSurface(width, height);
        if (image.isEmpty()) return false;
        area = frameRect; // a new image has nothing on it yet
    }
    area.bound(frameRect);
    if (area.isEmpty()) return false;

    cairo_t* cr = cairo_create(image.getCairoSurface());
    cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    frame->platformDraw(cr, area);
    cairo_destroy(cr);
    cairo_surface_flush(image.getCairoSurface());

    // What was drawn is no longer pending; a partial render keeps the rest pending.
    if (invalidArea.left >= area.left && invalidArea.right <= area.right &&
        invalidArea.top >= area.top && invalidArea.bottom <= area.bottom)
        invalidArea = CRect();
    if (observer) observer->platformViewRendered(image);
    return true;
}

bool PlatformView::renderIfNeeded()
{
    if (!needsRedraw()) return false;
    return render(invalidArea);
}

bool PlatformView::savePNG(const std::string& path)
{
    if (needsRedraw() || image.isEmpty()) render();
    return image.savePNG(path);
}

CMouseEventResult PlatformView::mouseDown(const CPoint& where, const CButtonState& buttons)
{
    if (menuOpen)
    {
        cancelMenu();
        return kMouseEventHandled;
    }
    if (!frame) return kMouseEventNotHandled;
    CPoint point(where);
    return frame->platformOnMouseDown(point, buttons);
}

CMouseEventResult PlatformView::mouseMoved(const CPoint& where, const CButtonState& buttons)
{
    if (!frame || menuOpen) return kMouseEventNotHandled;
    CPoint point(where);
    return frame->platformOnMouseMoved(point, buttons);
}

CMouseEventResult PlatformView::mouseUp(const CPoint& where, const CButtonState& buttons)
{
    if (!frame || menuOpen) return kMouseEventNotHandled;
    CPoint point(where);
    return frame->platformOnMouseUp(point, buttons);
}

CMouseEventResult PlatformView::click(const CPoint& where, const CButtonState& buttons)
{
    const CMouseEventResult down = mouseDown(where, buttons);
    if (down == kMouseEventHandled) mouseUp(where, buttons);
    return down;
}

bool PlatformView::keyDown(const VstKeyCode& key)
{
    if (textEditOpen)
    {
        // Control characters typed as text act as the keys they stand for.
        const int32_t c = key.character;
        IPlatformTextEditClient* client = textEdit.client;
        if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER || c == '\r' || c == '\n')
            client->platformTextEditReturn();
        else if (key.virt == VKEY_ESCAPE || c == 0x1b)
            client->platformTextEditEscape();
        else if (key.virt == VKEY_BACK || c == '\b' || c == 0x7f)
            removeLastUtf8Character(textEdit.text);
        else if (key.virt == VKEY_SPACE)
            textEdit.text += ' ';
        else if (c >= 0x20)
            appendUtf8(textEdit.text, static_cast<uint32_t>(c));
        else
            return false;
        return true;
    }
    if (!frame) return false;
    VstKeyCode copy(key);
    return frame->platformOnKeyDown(copy);
}

bool PlatformView::typeText(const std::string& text)
{
    bool used = !text.empty();
    size_t pos = 0;
    while (pos < text.size())
    {
        VstKeyCode key;
        key.character = static_cast<int32_t>(nextCodePoint(text, pos));
        used = keyDown(key) && used;
    }
    return used;
}

bool PlatformView::drop(CDragContainer* drag, const CPoint& where)
{
    return frame && drag ? frame->platformOnDrop(drag, where) : false;
}

void PlatformView::dragEnter(CDragContainer* drag, const CPoint& where)
{
    if (frame && drag) frame->platformOnDragEnter(drag, where);
}

void PlatformView::dragMove(CDragContainer* drag, const CPoint& where)
{
    if (frame && drag) frame->platformOnDragMove(drag, where);
}

void PlatformView::dragLeave(CDragContainer* drag, const CPoint& where)
{
    if (frame && drag) frame->platformOnDragLeave(drag, where);
}

void PlatformView::advanceTime(uint32_t milliseconds)
{
    if (frame) frame->platformAdvanceTime(milliseconds);
}

bool PlatformView::chooseMenuEntry(int32_t index)
{
    if (!menuOpen || !menu.isSelectable(index)) return false;
    IPlatformMenuClient* client = menu.client;
    menuClosed();
    client->platformMenuChosen(index);
    return true;
}

bool PlatformView::chooseMenuEntry(const std::string& title)
{
    if (!menuOpen) return false;
    for (size_t i = 0; i < menu.entries.size(); ++i)
        if (menu.entries[i].title == title && menu.isSelectable(static_cast<int32_t>(i)))
            return chooseMenuEntry(static_cast<int32_t>(i));
    return false;
}

void PlatformView::cancelMenu()
{
    if (menuOpen) menuClosed();
}

void PlatformView::menuClosed()
{
    menuOpen = false;
    menu = PlatformMenuRequest();
    if (observer) observer->platformViewMenuChanged(nullptr);
}

void PlatformView::textEditClosed()
{
    textEditOpen = false;
    textEdit = PlatformTextEditRequest();
    if (observer) observer->platformViewTextEditChanged(nullptr);
}

bool PlatformView::setEditText(const std::string& text)
{
    if (!textEditOpen) return false;
    textEdit.text = text;
    return true;
}

bool PlatformView::commitTextEdit()
{
    if (!textEditOpen) return false;
    textEdit.client->platformTextEditReturn();
    return true;
}

bool PlatformView::cancelTextEdit()
{
    if (!textEditOpen) return false;
    textEdit.client->platformTextEditEscape();
    return true;
}

bool PlatformView::attachFrame(IPlatformFrameCallback* callback, const CRect& frameSize)
{
    if (!callback || (frame && frame != callback)) return false;
    frame = callback;
    setFrameSize(frameSize);
    return true;
}

void PlatformView::detachFrame(IPlatformFrameCallback* callback)
{
    if (!callback || frame != callback) return;
    frame = nullptr;
    frameRect = CRect();
    invalidArea = CRect();
    cancelMenu();
    if (textEditOpen) textEditClosed();
}

void PlatformView::setFrameSize(const CRect& frameSize)
{
    frameRect = CRect(0, 0, frameSize.width() > 0 ? frameSize.width() : 0,
                      frameSize.height() > 0 ? frameSize.height() : 0);
    invalidArea = frameRect;
    if (observer) observer->platformViewResized(frameRect);
}

void PlatformView::invalidRect(const CRect& rect)
{
    CRect area(rect);
    area.bound(frameRect);
    invalidArea.unite(area);
}

bool PlatformView::openMenu(const PlatformMenuRequest& request)
{
    if (menuOpen || !request.client || !frame) return false;
    menu = request;
    menuOpen = true;
    if (observer) observer->platformViewMenuChanged(&menu);
    return true;
}

void PlatformView::closeMenu(IPlatformMenuClient* client)
{
    if (menuOpen && menu.client == client) cancelMenu();
}

bool PlatformView::openTextEdit(const PlatformTextEditRequest& request)
{
    if (!request.client || !frame) return false;
    if (textEditOpen && textEdit.client != request.client)
        textEdit.client->platformTextEditEscape();
    textEdit = request;
    textEditOpen = true;
    if (observer) observer->platformViewTextEditChanged(&textEdit.text);
    return true;
}

std::string PlatformView::closeTextEdit(IPlatformTextEditClient* client)
{
    if (!textEditOpen || textEdit.client != client) return std::string();
    std::string text = textEdit.text;
    textEditClosed();
    return text;
}

} // namespace VSTGUI
