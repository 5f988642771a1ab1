#pragma once

#include "CParamDisplay.h"
#include "PlatformMenuRequest.h"

#include <vector>

namespace VSTGUI
{

class CMenuItem;
class PlatformView;

// A pop-up menu. Its value is the index of the current entry (the whole part of the value
// is taken as the index). A left click opens the menu on the platform view; when an entry
// is chosen there, the menu sets its value to the entry's index and tells the listener,
// inside an edit bracket. It shows the current entry's title.
class COptionMenu : public CParamDisplay, public IPlatformMenuClient
{
public:
    COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr,
                const int32_t style = 0);
    ~COptionMenu() override;

    // Adds `item` at `index` (-1: at the end), taking over the caller's reference.
    CMenuItem* addEntry(CMenuItem* item, int32_t index = -1);
    CMenuItem* addEntry(UTF8StringPtr title, int32_t index = -1, int32_t itemFlags = 0);
    CMenuItem* addSeparator(int32_t index = -1);
    bool removeEntry(int32_t index);
    bool removeAllEntry();
    CMenuItem* getEntry(int32_t index) const;
    int32_t getNbEntries() const { return static_cast<int32_t>(items.size()); }

    CMenuItem* getCurrent() const { return getEntry(currentIndex); }
    // The current index; without `countSeparator` separators before it are not counted.
    int32_t getCurrentIndex(bool countSeparator = false) const;
    bool setCurrent(int32_t index, bool countSeparator = true);
    bool checkEntry(int32_t index, bool state);
    bool checkEntryAlone(int32_t index);
    bool isCheckEntry(int32_t index) const;
    // The index chosen last time the menu was open, -1 when it closed without a choice.
    int32_t getLastResult() const { return lastResult; }

    // Opens the menu on the platform view; false without one or when a menu is open.
    bool popup();
    // True while this menu is open on the platform view.
    bool isMenuOpen() const;

    // Takes the whole part of `val` as the entry index; values that name no entry are
    // ignored. Minimum and maximum do not apply: the entries decide the range.
    void setValue(float val) override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool removed(CView* parent) override;

    void platformMenuChosen(int32_t index) override;

protected:
    std::string valueText() const override;

private:
    int32_t toRawIndex(int32_t index) const;
    PlatformView* platformView() const;

    std::vector<CMenuItem*> items;
    int32_t currentIndex = -1;
    int32_t lastResult = -1;
    CBitmap* bgWhenClick;
};

} // namespace VSTGUI
