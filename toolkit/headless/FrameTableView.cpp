#include "FrameTableView.h"

#include <cairo.h>

#include <vector>

namespace VSTGUI
{
namespace
{

CButtonState buttonState(uint32_t bits)
{
    int32_t state = 0;
    if (bits & AAX_eLinuxViewButton_Left) state |= kLButton;
    if (bits & AAX_eLinuxViewButton_Middle) state |= kMButton;
    if (bits & AAX_eLinuxViewButton_Right) state |= kRButton;
    if (bits & AAX_eLinuxViewButton_Shift) state |= kShift;
    if (bits & AAX_eLinuxViewButton_Control) state |= kControl;
    if (bits & AAX_eLinuxViewButton_Alt) state |= kAlt;
    if (bits & AAX_eLinuxViewButton_DoubleClick) state |= kDoubleClick;
    return CButtonState(state);
}

VstKeyCode keyCode(const AAX_LinuxViewEvent& event)
{
    VstKeyCode key;
    key.character = event.character;
    switch (event.key)
    {
    case AAX_eLinuxViewKey_Back:
        key.virt = VKEY_BACK;
        break;
    case AAX_eLinuxViewKey_Return:
        key.virt = VKEY_RETURN;
        break;
    case AAX_eLinuxViewKey_Escape:
        key.virt = VKEY_ESCAPE;
        break;
    case AAX_eLinuxViewKey_Tab:
        key.virt = VKEY_TAB;
        break;
    default:
        break;
    }
    if (event.buttons & AAX_eLinuxViewButton_Shift) key.modifier |= MODIFIER_SHIFT;
    if (event.buttons & AAX_eLinuxViewButton_Alt) key.modifier |= MODIFIER_ALTERNATE;
    if (event.buttons & AAX_eLinuxViewButton_Control) key.modifier |= MODIFIER_CONTROL;
    return key;
}

} // namespace

FrameTableView::FrameTableView(const AAX_LinuxFrameTable& table, CBaseObject& owner)
    : table(table), owner(owner), input{this, &FrameTableView::receive}
{
    view.setObserver(this);
}

FrameTableView::~FrameTableView()
{
    view.setObserver(nullptr);
    if (announced) table.attached(table.context, nullptr, 0, 0);
}

bool FrameTableView::isUsable(const AAX_LinuxFrameTable* table)
{
    return table && table->attached && table->present && table->menu && table->textEdit;
}

void FrameTableView::announce()
{
    if (announced || !view.hasFrame()) return;
    announced = true;
    const CRect size = view.getFrameRect();
    table.attached(table.context, &input, static_cast<uint32_t>(size.getWidth()),
                   static_cast<uint32_t>(size.getHeight()));
}

int32_t FrameTableView::receive(void* context, const AAX_LinuxViewEvent* event)
{
    if (!context || !event) return 0;
    auto* self = static_cast<FrameTableView*>(context);
    // A listener may close the editor during the event, and the frame takes this view with
    // it: the frame stays until the event is over, and nothing of this view is used after.
    CBaseObject& frame = self->owner;
    frame.remember();
    const int32_t used = self->apply(*event) ? 1 : 0;
    frame.forget();
    return used;
}

bool FrameTableView::apply(const AAX_LinuxViewEvent& event)
{
    const CPoint where(event.x, event.y);
    switch (event.kind)
    {
    case AAX_eLinuxViewEvent_MouseDown:
        return view.mouseDown(where, buttonState(event.buttons)) != kMouseEventNotHandled;
    case AAX_eLinuxViewEvent_MouseMoved:
        return view.mouseMoved(where, buttonState(event.buttons)) != kMouseEventNotHandled;
    case AAX_eLinuxViewEvent_MouseUp:
        return view.mouseUp(where, buttonState(event.buttons)) != kMouseEventNotHandled;
    case AAX_eLinuxViewEvent_Key:
        return view.keyDown(keyCode(event));
    case AAX_eLinuxViewEvent_MenuChoose:
        return view.chooseMenuEntry(event.index);
    case AAX_eLinuxViewEvent_MenuCancel:
        if (!view.isMenuOpen()) return false;
        view.cancelMenu();
        return true;
    case AAX_eLinuxViewEvent_Time:
        view.advanceTime(event.milliseconds);
        // What the timers changed goes out as a finished frame.
        view.renderIfNeeded();
        return true;
    default:
        return false;
    }
}

void FrameTableView::platformViewRendered(const ImageSurface& image)
{
    cairo_surface_t* surface = image.getCairoSurface();
    if (!announced || !surface) return;
    table.present(table.context, cairo_image_surface_get_data(surface),
                  static_cast<uint32_t>(image.getWidth()), static_cast<uint32_t>(image.getHeight()),
                  static_cast<uint32_t>(cairo_image_surface_get_stride(surface)));
}

void FrameTableView::platformViewMenuChanged(const PlatformMenuRequest* menu)
{
    if (!announced) return;
    if (!menu)
    {
        table.menu(table.context, nullptr);
        return;
    }
    std::vector<const char*> titles;
    std::vector<uint8_t> selectable;
    for (size_t i = 0; i < menu->entries.size(); ++i)
    {
        titles.push_back(menu->entries[i].title.c_str());
        selectable.push_back(menu->isSelectable(static_cast<int32_t>(i)) ? 1 : 0);
    }
    const AAX_LinuxViewMenu plain{static_cast<int32_t>(titles.size()),
                                  menu->currentIndex,
                                  titles.data(),
                                  selectable.data(),
                                  menu->where.left,
                                  menu->where.top,
                                  menu->where.right,
                                  menu->where.bottom};
    table.menu(table.context, &plain);
}

void FrameTableView::platformViewTextEditChanged(const std::string* text)
{
    if (announced) table.textEdit(table.context, text ? text->c_str() : nullptr);
}

} // namespace VSTGUI
