#pragma once

#include <string>

#include "CControlListener.h"
#include "CompanionInfo.h"
#include "CompanionProtocol.h"
#include "OfflineParameterIDs.h"
#include "VSTGUI_ContentView.h"

class AAX_IViewContainer;
class DemoGain_KickButtonVST;
class DemoGain_MenuVST;
class DemoGain_OnOffButtonVSTvect;
namespace VSTGUI
{
class CBitmap;
class CTextEdit;
class CTextLabel;
} // namespace VSTGUI

// The editor window's content. When built it asks the companion for its version, tools,
// presets and frequency range (launching the companion when it cannot be reached), then
// shows one row per tool (check box, name, preset menu), the frequency-range row, the
// version, the logo and a status line. It is the listener of all its controls and turns
// their changes into parameter requests; the timer refreshes the status line from "Comm".
// The controls are owned by the frame (this view); the editor drives everything from its
// thread.
class DemoGain_View : public VSTGUI_ContentView, public VSTGUI::CControlListener
{
public:
    // Control tags: a tool's button from 1 and its preset menu from 21, then the range
    // controls and the logo.
    enum : int32_t
    {
        kFirstToolTag = 1,
        kFirstPresetTag = 21,
        kMinUpTag = 41,
        kMinDownTag,
        kMaxUpTag,
        kMaxDownTag,
        kMinFieldTag,
        kMaxFieldTag,
        kRangeCheckTag,
        kLogoTag
    };

    // The companion application launched when it cannot be reached.
    static constexpr const char* kCompanionApplication = "Orvendal QV.app";
    // infoStatus values added to those of the exchange.
    static constexpr int32 kInfoLaunched = 39;
    static constexpr int32 kInfoLaunchFailed = 40;

    // nativeParent, parameters, editor and viewContainer are borrowed; parameters and
    // viewContainer may be null. Blocks for the whole exchange with the companion.
    DemoGain_View(void* nativeParent, AAX_IACFEffectParameters* parameters,
                  VSTGUI::VSTGUIEditorInterface* editor, AAX_IViewContainer* viewContainer);
    ~DemoGain_View() override;

    void valueChanged(VSTGUI::CControl* control) override;
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

    // Refreshes the status line; returns 1.
    int32 TimerWakeup();
    // The exchange with the companion: fills the companion info. 0 after a completed
    // exchange, 1 after a failure.
    int32 GetInfoFromHost();

    // The parameter a control shows, by its tag: "Par1" ... "Par20" for tags 1 to 20,
    // "Men1" ... "Men20" for 21 to 40, then the range bounds and check; null for any other tag.
    // The one mapping between the editor's controls and the parameters.
    static const char* ParameterIDForTag(int32_t tag);
    // The control showing parameter id, null when the window has none (fewer tools, no
    // presets, no range row).
    VSTGUI::CControl* ControlFor(const char* id) const;
    // Shows value on the control of parameter id, if there is one: the menus and the fields the
    // number the process request sends for it.
    void ShowParameter(const char* id, double value);
    // Shows in a frequency field the whole Hz a process request sends for the bound value.
    static void ShowFrequency(VSTGUI::CTextEdit* field, double value);

    const CompanionInfo& GetCompanionInfo() const { return companionInfo; }
    VSTGUI::CTextLabel* GetStatusLabel() const { return statusLabel; }
    VSTGUI::CTextLabel* GetVersionLabel() const { return versionLabel; }
    DemoGain_KickButtonVST* GetLogoButton() const { return logoButton; }

    // The logo shared by every view, loaded by the editor before the first view. Owned
    // here; released when the module unloads.
    static VSTGUI::CBitmap* m_hLogo;

private:
    void ResetCompanionInfo();
    void AddVersionLabel();
    void AddLogo();
    void AddStatusLabel(int32_t toolCount);
    void AddToolRow(int32_t i);
    void AddRangeRow(int32_t toolCount);
    // Binds a parameter-bound control and adds it to the window.
    template <class Control> Control* AddBound(Control* control, const char* id);
    VSTGUI::CTextLabel* AddLabel(const VSTGUI::CRect& rect, const char* text);
    VSTGUI::CTextEdit* AddFrequencyField(const VSTGUI::CRect& rect, int32_t tag);
    void AddStepButton(const VSTGUI::CRect& rect, int32_t tag, const char* id, int32 symbol);
    // A plus button at (left, top) and a minus button below it, beside a frequency field.
    void AddStepButtons(VSTGUI::CCoord left, VSTGUI::CCoord top, int32_t upTag, const char* upID,
                        int32_t downTag, const char* downID);

    double GetParameter(const char* id) const;
    void SetParameter(const char* id, double value);
    // A frequency bound's parameter in Hz.
    double BoundHz(const char* id) const;
    // A field's text in Hz, within 0 and the companion's maximum.
    double TypedHz(const VSTGUI::CTextEdit* field) const;
    // Sets the lower bound to f Hz, kept at or above 0 and the minimum gap below the upper.
    void SetLowerBound(double f);
    // Sets the upper bound to f Hz, kept within the companion's maximum and the minimum gap
    // above the lower.
    void SetUpperBound(double f);
    // Shows the whole Hz the request sends for hz in id's field and requests id = hz / 192000.
    void ApplyFrequency(const char* id, double hz);

    VSTGUI::CTextLabel* statusLabel = nullptr;
    std::string versionText;
    char versionLabelText[44] = {};
    VSTGUI::CTextLabel* versionLabel = nullptr;
    VSTGUI::CTextLabel* rangeFromLabel = nullptr;
    VSTGUI::CTextLabel* rangeToLabel = nullptr;
    std::string toolLabelTexts[CompanionProtocol::kMaxTools];
    VSTGUI::CTextLabel* toolLabels[CompanionProtocol::kMaxTools] = {};
    CompanionInfo companionInfo;
    DemoGain_KickButtonVST* logoButton = nullptr;
    AAX_IViewContainer* viewContainer;
};
