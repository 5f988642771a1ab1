#include "COptionMenu.h"

#include "CBitmap.h"
#include "CControlListener.h"
#include "CFrame.h"
#include "CMenuItem.h"
#include "PlatformView.h"

namespace VSTGUI
{

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                         CBitmap* background, CBitmap* bgWhenClick, const int32_t style)
    : CParamDisplay(size, background, style), bgWhenClick(bgWhenClick)
{
    this->listener = listener;
    this->tag = tag;
    if (bgWhenClick) bgWhenClick->remember();
    setWantsFocus(false);
}

COptionMenu::~COptionMenu()
{
    removeAllEntry();
    if (bgWhenClick) bgWhenClick->forget();
}

CMenuItem* COptionMenu::addEntry(CMenuItem* item, int32_t index)
{
    if (!item) return nullptr;
    int32_t position = getNbEntries();
    if (index >= 0 && index < getNbEntries()) position = index;
    items.insert(items.begin() + position, item);
    if (currentIndex >= position)
        ++currentIndex; // the current entry keeps its title
    else if (currentIndex < 0 && !item->isSeparator())
    {
        currentIndex = position;
        value = static_cast<float>(position);
    }
    setDirty(true);
    return item;
}

CMenuItem* COptionMenu::addEntry(UTF8StringPtr title, int32_t index, int32_t itemFlags)
{
    return addEntry(new CMenuItem(title, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator(int32_t index)
{
    return addEntry(new CMenuItem("-", CMenuItem::kSeparator), index);
}

bool COptionMenu::removeEntry(int32_t index)
{
    if (index < 0 || index >= getNbEntries()) return false;
    items[index]->forget();
    items.erase(items.begin() + index);
    if (currentIndex >= getNbEntries()) currentIndex = getNbEntries() - 1;
    setDirty(true);
    return true;
}

bool COptionMenu::removeAllEntry()
{
    for (CMenuItem* item : items)
        item->forget();
    items.clear();
    currentIndex = -1;
    setDirty(true);
    return true;
}

CMenuItem* COptionMenu::getEntry(int32_t index) const
{
    if (index < 0 || index >= getNbEntries()) return nullptr;
    return items[index];
}

int32_t COptionMenu::toRawIndex(int32_t index) const
{
    // Index among the non-separator entries -> index in the list.
    int32_t counted = -1;
    for (int32_t i = 0; i < getNbEntries(); ++i)
        if (!items[i]->isSeparator() && ++counted == index) return i;
    return -1;
}

int32_t COptionMenu::getCurrentIndex(bool countSeparator) const
{
    if (countSeparator || currentIndex < 0) return currentIndex;
    int32_t index = 0;
    for (int32_t i = 0; i < currentIndex && i < getNbEntries(); ++i)
        if (!items[i]->isSeparator()) ++index;
    return index;
}

bool COptionMenu::setCurrent(int32_t index, bool countSeparator)
{
    const int32_t raw = countSeparator ? index : toRawIndex(index);
    if (raw < 0 || raw >= getNbEntries()) return false;
    currentIndex = raw;
    value = static_cast<float>(raw);
    if (style & kCheckStyle) checkEntryAlone(raw);
    setDirty(true);
    return true;
}

bool COptionMenu::checkEntry(int32_t index, bool state)
{
    CMenuItem* item = getEntry(index);
    if (!item || item->isSeparator()) return false;
    item->setChecked(state);
    return true;
}

bool COptionMenu::checkEntryAlone(int32_t index)
{
    if (!getEntry(index)) return false;
    for (int32_t i = 0; i < getNbEntries(); ++i)
        items[i]->setChecked(i == index);
    return true;
}

bool COptionMenu::isCheckEntry(int32_t index) const
{
    CMenuItem* item = getEntry(index);
    return item && item->isChecked();
}

PlatformView* COptionMenu::platformView() const
{
    CFrame* frame = getFrame();
    return frame ? frame->getPlatformView() : nullptr;
}

bool COptionMenu::isMenuOpen() const
{
    PlatformView* view = platformView();
    return view && view->isMenuOpen() && view->getMenu().client == this;
}

bool COptionMenu::popup()
{
    PlatformView* view = platformView();
    if (!view || view->isMenuOpen()) return false;
    PlatformMenuRequest request;
    for (const CMenuItem* item : items)
    {
        PlatformMenuRequest::Entry entry;
        entry.title = item->getTitle();
        entry.enabled = item->isEnabled();
        entry.separator = item->isSeparator();
        entry.isTitle = item->isTitle();
        entry.checked = item->isChecked();
        request.entries.push_back(entry);
    }
    request.currentIndex = currentIndex;
    CPoint topLeft(size.left, size.top);
    localToFrame(topLeft);
    request.where = CRect(topLeft, size.getSize());
    request.client = this;
    lastResult = -1;
    if (!view->openMenu(request)) return false;
    setDirty(true);
    return true;
}

void COptionMenu::setValue(float val)
{
    if (!(val >= 0.f) || val >= static_cast<float>(getNbEntries())) return;
    currentIndex = static_cast<int32_t>(val);
    value = val;
    if (style & kCheckStyle) checkEntryAlone(currentIndex);
}

std::string COptionMenu::valueText() const
{
    const CMenuItem* item = getCurrent();
    return item ? item->getTitle() : std::string();
}

void COptionMenu::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context, isMenuOpen() ? bgWhenClick : nullptr);
        drawText(context, valueText());
    }
    setDirty(false);
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (listener && buttons.getModifierState() &&
        listener->controlModifierClicked(this, buttons) != 0)
        return kMouseEventHandled;
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    popup();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COptionMenu::removed(CView* parent)
{
    if (PlatformView* view = platformView()) view->closeMenu(this);
    return CParamDisplay::removed(parent);
}

void COptionMenu::platformMenuChosen(int32_t index)
{
    if (!getEntry(index)) return;
    lastResult = index;
    remember(); // the listener may remove the menu
    beginEdit();
    currentIndex = index;
    value = static_cast<float>(index);
    if (style & kCheckStyle) checkEntryAlone(index);
    invalid();
    valueChanged();
    endEdit();
    forget();
}

} // namespace VSTGUI
