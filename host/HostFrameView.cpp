#include "HostFrameView.h"

#include "AAX_Utf8.h"

namespace orv::host
{
namespace
{

int32_t NextCodePoint(const std::string& text, size_t& pos)
{
    return static_cast<int32_t>(AAX_NextUtf8CodePoint(text.data(), text.size(), &pos));
}

size_t CodePointCount(const std::string& text)
{
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        NextCodePoint(text, pos);
    return count;
}

} // namespace

HostFrameView::HostFrameView()
    : mTable{this, &HostFrameView::OnAttached, &HostFrameView::OnPresent, &HostFrameView::OnMenu,
             &HostFrameView::OnTextEdit},
      mNative{sizeof(AAX_LinuxNativeView), AAX_eLinuxNativeView_Frames, 0, nullptr, &mTable}
{
}

bool HostFrameView::Send(AAX_LinuxViewEvent event)
{
    if (!mInput.send) return false;
    return mInput.send(mInput.context, &event) == 1;
}

bool HostFrameView::MouseDown(double x, double y, uint32_t buttons)
{
    return Send({AAX_eLinuxViewEvent_MouseDown, buttons, x, y, 0, 0, 0, 0});
}

bool HostFrameView::MouseMoved(double x, double y, uint32_t buttons)
{
    return Send({AAX_eLinuxViewEvent_MouseMoved, buttons, x, y, 0, 0, 0, 0});
}

bool HostFrameView::MouseUp(double x, double y, uint32_t buttons)
{
    return Send({AAX_eLinuxViewEvent_MouseUp, buttons, x, y, 0, 0, 0, 0});
}

bool HostFrameView::Click(double x, double y)
{
    if (!MouseDown(x, y)) return false;
    MouseUp(x, y);
    return true;
}

bool HostFrameView::Key(int32_t character, int32_t key, uint32_t buttons)
{
    return Send({AAX_eLinuxViewEvent_Key, buttons, 0, 0, character, key, 0, 0});
}

bool HostFrameView::Type(const std::string& text)
{
    bool used = !text.empty();
    for (size_t pos = 0; pos < text.size();)
        used = Key(NextCodePoint(text, pos)) && used;
    return used;
}

bool HostFrameView::AdvanceTime(uint32_t milliseconds)
{
    return Send({AAX_eLinuxViewEvent_Time, 0, 0, 0, 0, 0, 0, milliseconds});
}

bool HostFrameView::ChooseMenuEntry(int32_t index)
{
    return mMenuOpen && Send({AAX_eLinuxViewEvent_MenuChoose, 0, 0, 0, 0, 0, index, 0});
}

bool HostFrameView::ChooseMenuEntry(const std::string& title)
{
    for (size_t i = 0; i < mMenu.size(); ++i)
        if (mMenu[i].selectable && mMenu[i].title == title)
            return ChooseMenuEntry(static_cast<int32_t>(i));
    return false;
}

bool HostFrameView::CancelMenu()
{
    return mMenuOpen && Send({AAX_eLinuxViewEvent_MenuCancel, 0, 0, 0, 0, 0, 0, 0});
}

bool HostFrameView::ReplaceEditText(const std::string& text)
{
    if (!mTextEditOpen) return false;
    for (size_t count = CodePointCount(mEditText); count > 0; --count)
        if (!Key(0, AAX_eLinuxViewKey_Back)) return false;
    if (!text.empty() && !Type(text)) return false;
    return Key(0, AAX_eLinuxViewKey_Return);
}

void HostFrameView::OnAttached(void* context, const AAX_LinuxViewInput* input, uint32_t width,
                               uint32_t height)
{
    auto* self = static_cast<HostFrameView*>(context);
    self->mInput = input ? *input : AAX_LinuxViewInput{nullptr, nullptr};
    self->mFrameWidth = input ? width : 0;
    self->mFrameHeight = input ? height : 0;
    if (input) return;
    self->mMenuOpen = false;
    self->mMenu.clear();
    self->mTextEditOpen = false;
    self->mEditText.clear();
}

void HostFrameView::OnPresent(void* context, const uint8_t* pixels, uint32_t width, uint32_t height,
                              uint32_t stride)
{
    auto* self = static_cast<HostFrameView*>(context);
    if (!pixels || stride < width * sizeof(uint32_t)) return;
    // A presented frame is the whole frame: it shows the size the frame has now.
    self->mFrameWidth = width;
    self->mFrameHeight = height;
    self->SetPicture(pixels, width, height, stride);
}

void HostFrameView::OnMenu(void* context, const AAX_LinuxViewMenu* menu)
{
    auto* self = static_cast<HostFrameView*>(context);
    self->mMenu.clear();
    self->mMenuOpen = menu != nullptr;
    if (!menu || menu->count <= 0 || !menu->titles || !menu->selectable) return;
    for (int32_t i = 0; i < menu->count; ++i)
        self->mMenu.push_back({menu->titles[i] ? menu->titles[i] : "", menu->selectable[i] == 1});
}

void HostFrameView::OnTextEdit(void* context, const char* text)
{
    auto* self = static_cast<HostFrameView*>(context);
    self->mTextEditOpen = text != nullptr;
    self->mEditText = text ? text : "";
}

} // namespace orv::host
