// Drives a small editor window, embedded through a host's frame table, with arbitrary event
// sequences: mouse, keys, typed bytes, menu answers, time, draws, resizes and removed views.
// Nothing may crash, and every edit bracket a control opens must be closed once the gestures end.
#include "FrameTableHost.h"
#include "vstgui.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace VSTGUI;
using orv::test::FrameTableHost;

namespace
{
struct BracketCounter : CControlListener
{
    void valueChanged(CControl*) override {}
    void controlBeginEdit(CControl*) override { ++open; }
    void controlEndEdit(CControl*) override { --open; }
    int open = 0;
};

struct Input
{
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool done() const { return pos >= size; }
    uint8_t next() { return pos < size ? data[pos++] : 0; }
};

CFrame* buildWindow(FrameTableHost& view, BracketCounter& listener)
{
    CFrame* frame = new CFrame(CRect(0, 0, 200, 100), view.getNativeHandle(), nullptr);
    COptionMenu* menu = new COptionMenu(CRect(0, 0, 100, 20), &listener, 1);
    menu->addEntry("a");
    menu->addSeparator();
    menu->addEntry("b", -1, CMenuItem::kDisabled);
    menu->addEntry("c");
    frame->addView(menu);
    frame->addView(new CTextEdit(CRect(100, 0, 200, 20), &listener, 2, "20"));
    frame->addView(new CTextEdit(CRect(100, 20, 200, 40), &listener, 3));
    frame->addView(new CKickButton(CRect(0, 40, 20, 60), &listener, 4, 10.0, nullptr));
    frame->addView(new COnOffButton(CRect(20, 40, 40, 60), &listener, 5));
    CViewContainer* box = new CViewContainer(CRect(50, 50, 150, 100));
    box->addView(new CKickButton(CRect(0, 0, 30, 30), &listener, 6, nullptr));
    frame->addView(box);
    return frame;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BracketCounter listener;
    FrameTableHost view;
    CFrame* frame = buildWindow(view, listener);
    Input in{data, size};
    int32_t held = 0;
    while (!in.done())
    {
        const uint8_t op = in.next() % 12;
        const CPoint where(in.next() - 20, in.next() / 2 - 10);
        switch (op)
        {
        case 0:
            held = in.next() & 0x7fe;
            view.mouseDown(where, held);
            break;
        case 1:
            view.mouseMoved(where, held);
            break;
        case 2:
            view.mouseUp(where, held = 0);
            break;
        case 3:
        {
            VstKeyCode key;
            key.character = static_cast<int8_t>(in.next()) * 4099;
            key.virt = in.next() % 24;
            view.keyDown(key);
            break;
        }
        case 4:
        {
            const size_t length = in.next() % 16;
            std::string text;
            for (size_t i = 0; i < length && !in.done(); ++i)
                text += static_cast<char>(in.next());
            view.typeText(text);
            break;
        }
        case 5:
            view.chooseMenuEntry(static_cast<int32_t>(in.next()) - 2);
            break;
        case 6:
            view.cancelMenu();
            break;
        case 7:
            (in.next() & 1) ? view.commitTextEdit() : view.cancelTextEdit();
            break;
        case 8:
            view.advanceTime(in.next());
            break;
        case 9:
            frame->drawRect(nullptr, CRect(where.x, where.y, where.x + 8, where.y + 8));
            break;
        case 10:
            frame->removeView(frame->getView(in.next() % 8));
            break;
        case 11:
            frame->setSize(in.next(), in.next());
            break;
        }
    }
    // End every gesture the way a user would, then no bracket may be left open.
    view.mouseUp(CPoint(-1, -1), 0);
    view.cancelMenu();
    view.commitTextEdit();
    if (listener.open != 0) __builtin_trap();
    frame->forget();
    return 0;
}
