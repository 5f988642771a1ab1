#include "DemoGain_View.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AAX_CEffectParameters.h"
#include "AAX_Errors.h"
#include "ApplicationLauncher.h"
#include "CBitmap.h"
#include "CTextEdit.h"
#include "CarriedCount.h"
#include "CompanionLink.h"
#include "DemoGain_Colors.h"
#include "DemoGain_KickButtonVST.h"
#include "DemoGain_KickButtonVSTvect.h"
#include "DemoGain_MenuVST.h"
#include "DemoGain_OnOffButtonVSTvect.h"
#include "EditorLayout.h"
#include "OfflineStatus.h"

using namespace VSTGUI;
using namespace OfflineParameterIDs;
using namespace EditorLayout;

CBitmap* DemoGain_View::m_hLogo = nullptr;

namespace
{

// Counts and preset numbers are stored as k * 0.01 worked out in double (0.05 for 5 tools).
constexpr double kCountStep = 1.0 / kCountScale;
// The lower bound stays this far below the upper bound.
constexpr double kMinimumGap = 20.0;
constexpr double kStepHz = 10.0;
constexpr int32_t kMenuStyle = k3DOut;
constexpr const char* kVersionFormat = "Orvendal QV (ver.%s)";
constexpr const char* kRangeFromText = "Range (Hz) From";
constexpr const char* kRangeToText = "To";
constexpr const char* kInitialStatus = "GUI Init";
constexpr const char* kCompanionFailed = "Please open Orvendal QV app.";
constexpr const char* kCompanionStopped = "Orvendal QV app stopped before finishing.";
constexpr const char* kCompanionCouldNot = "Orvendal QV app could not process the audio.";
constexpr const char* kCompanionSilent = "Orvendal QV app stopped answering.";
constexpr const char* kNoAnswer = "Orvendal QV app does not answer.";
constexpr const char* kUnreadable = "Orvendal QV app answer could not be read.";
constexpr const char* kNotInstalled = "Orvendal QV app not installed?";
constexpr const char* kLaunched = "Orvendal QV app launched - Please re-open the plugin.";
constexpr const char* kForeignPort = "Another user's program holds the Orvendal QV port.";
constexpr const char* kUnknownError = "Unknown error code (%i)";
// "Comm" codes from this one on are failures; 5 is progress.
constexpr int32 kFirstFailureCode = 6;
// Identifiers bound to controls that name no parameter: the host is still asked first.
constexpr AAX_CParamID kLogoID = "Logo";
constexpr AAX_CParamID kMinUpID = "minkp";
constexpr AAX_CParamID kMinDownID = "minkm";
constexpr AAX_CParamID kMaxUpID = "maxkp";
constexpr AAX_CParamID kMaxDownID = "maxkm";

// Releases the shared logo when the module unloads.
struct LogoRelease
{
    ~LogoRelease()
    {
        if (DemoGain_View::m_hLogo) DemoGain_View::m_hLogo->forget();
        DemoGain_View::m_hLogo = nullptr;
    }
} gLogoRelease;

// A frequency field's text as Hz: text that is no finite number reads as 0.
double ParseHz(const char* text)
{
    if (!text) return 0.0;
    const double hz = std::strtod(text, nullptr);
    return std::isfinite(hz) ? hz : 0.0;
}

void StyleLabel(CParamDisplay* label, const CColor& textColour, CHoriTxtAlign align)
{
    label->setFont(kNormalFontVeryBig);
    label->setFontColor(textColour);
    label->setBackColor(kTransparentCColor);
    label->setFrameColor(kTransparentCColor);
    label->setHoriAlign(align);
}

// The status line for a failed pass: the codes the project added say what happened; the
// others ask for the companion.
const char* FailureText(int32 code)
{
    switch (code)
    {
    case kStatusCompanionFailed:
        return kCompanionCouldNot;
    case kStatusNotProcessed:
        return kCompanionStopped;
    case kStatusForeignListener:
        return kForeignPort;
    case kStatusStoppedAnswering:
        return kCompanionSilent;
    default:
        return kCompanionFailed;
    }
}

} // namespace

DemoGain_View::DemoGain_View(void* nativeParent, AAX_IACFEffectParameters* parameters,
                             VSTGUIEditorInterface* editor, AAX_IViewContainer* container)
    : VSTGUI_ContentView(nativeParent, parameters, editor), viewContainer(container)
{
    ResetCompanionInfo();
    GetInfoFromHost();
    // Something holds the port when it answers late or garbled, or when it is another user's:
    // a launched companion could not listen there, so none is launched.
    const bool portHeld = companionInfo.infoStatus == CompanionInfo::kInfoNoAnswer ||
                          companionInfo.infoStatus == CompanionInfo::kInfoUnreadable ||
                          companionInfo.infoStatus == CompanionInfo::kInfoForeignListener;
    if (!companionInfo.linkOK && !portHeld)
        companionInfo.infoStatus = orv::platform::LaunchApplication(kCompanionApplication)
                                       ? kInfoLaunched
                                       : kInfoLaunchFailed;
    const int32_t toolCount = companionInfo.toolCount;
    SetParameter(kToolCount, toolCount * kCountStep);

    setSize(kWindowWidth, kRowHeight * toolCount + kBaseHeight);
    setBackgroundColor(DemoGain_Colors::kBackground);
    AddVersionLabel();
    AddLogo();
    AddStatusLabel(toolCount);
    for (int32_t i = 0; i < toolCount; ++i)
        AddToolRow(i);
    if (toolCount > 0 && companionInfo.linkOK) AddRangeRow(toolCount);
}

DemoGain_View::~DemoGain_View() = default;

void DemoGain_View::ResetCompanionInfo()
{
    companionInfo = CompanionInfo();
    companionInfo.linkOK = false;
    companionInfo.replyReceived = false;
    companionInfo.infoStatus = CompanionInfo::kInfoOK;
}

int32 DemoGain_View::GetInfoFromHost()
{
    // The sample rate comes from the controller of the instance's own parameters component;
    // a host that hands over another object leaves it unknown (the range is then bounded
    // by the companion's answer and CompanionProtocol::kRangeMaxHz only).
    const auto* component = dynamic_cast<const AAX_CEffectParameters*>(getParameters());
    const AAX_IController* controller = component ? component->Controller() : nullptr;
    return CompanionLink::RequestCompanionInfo(controller, getParameters(), companionInfo);
}

const char* DemoGain_View::ParameterIDForTag(int32_t tag)
{
    if (tag >= kFirstToolTag && tag < kFirstToolTag + CompanionProtocol::kMaxTools)
        return kToolSwitch[tag - kFirstToolTag];
    if (tag >= kFirstPresetTag && tag < kFirstPresetTag + CompanionProtocol::kMaxTools)
        return kToolPreset[tag - kFirstPresetTag];
    if (tag == kMinFieldTag) return kRangeMin;
    if (tag == kMaxFieldTag) return kRangeMax;
    if (tag == kRangeCheckTag) return kRangeCheck;
    return nullptr;
}

CControl* DemoGain_View::ControlFor(const char* id) const
{
    if (!id) return nullptr;
    for (int32_t i = 0; i < getNbViews(); ++i)
    {
        auto* control = dynamic_cast<CControl*>(getView(i));
        const char* shown = control ? ParameterIDForTag(control->getTag()) : nullptr;
        if (shown && std::strcmp(shown, id) == 0) return control;
    }
    return nullptr;
}

void DemoGain_View::ShowParameter(const char* id, double value)
{
    CControl* control = ControlFor(id);
    if (!control) return;
    const int32_t tag = control->getTag();
    if (tag == kMinFieldTag || tag == kMaxFieldTag)
        ShowFrequency(static_cast<CTextEdit*>(control), value);
    else if (tag >= kFirstPresetTag && tag < kFirstPresetTag + CompanionProtocol::kMaxTools)
        // The menu shows the preset number the process request sends.
        control->setValue(static_cast<float>(CountFromValue(value)));
    else
        control->setValue(static_cast<float>(value));
    control->invalid();
}

template <class Control> Control* DemoGain_View::AddBound(Control* control, const char* id)
{
    control->setListener(this);
    control->SetViewContainer(viewContainer);
    control->SetParamID(id);
    control->setMin(0.0f);
    control->setMax(1.0f);
    double defaultValue = 0.0;
    if (getParameters()) getParameters()->GetParameterDefaultNormalizedValue(id, &defaultValue);
    control->setDefaultValue(static_cast<float>(defaultValue));
    addView(control);
    return control;
}

CTextLabel* DemoGain_View::AddLabel(const CRect& rect, const char* text)
{
    auto* label = new CTextLabel(rect, text, nullptr, 0);
    StyleLabel(label, DemoGain_Colors::kGrey, kLeftText);
    addView(label);
    return label;
}

void DemoGain_View::AddVersionLabel()
{
    versionText = companionInfo.version;
    std::snprintf(versionLabelText, sizeof(versionLabelText), kVersionFormat, versionText.c_str());
    versionLabel = AddLabel(CRect(20, 20, 270, 40), versionLabelText);
}

void DemoGain_View::AddLogo()
{
    const CCoord w = m_hLogo ? m_hLogo->getWidth() : 0;
    const CCoord h = m_hLogo ? m_hLogo->getHeight() : 0;
    const CRect rect(kRightEdge - w, 40 - 0.375 * h, kRightEdge, 40 + 0.125 * h);
    logoButton = AddBound(
        new DemoGain_KickButtonVST(rect, this, kLogoTag, h / 2, m_hLogo, CPoint(0, 0)), kLogoID);
}

void DemoGain_View::AddStatusLabel(int32_t toolCount)
{
    const CCoord top = StatusTop(toolCount);
    statusLabel = AddLabel(CRect(20, top, kRightEdge, top + kStatusHeight), kInitialStatus);
    statusLabel->setAntialias(true);
}

void DemoGain_View::AddToolRow(int32_t i)
{
    const CCoord y = ToolRowTop(i);
    AddBound(new DemoGain_OnOffButtonVSTvect(CRect(40, y, 60, y + kControlHeight), this,
                                             kFirstToolTag + i, nullptr, 0),
             kToolSwitch[i]);

    // CompanionInfo numbers tools and presets from 1.
    const int32_t tool = i + 1;
    toolLabelTexts[i] = companionInfo.toolNames[tool];
    toolLabels[i] = AddLabel(CRect(80, y - 2, 280, y + 22), toolLabelTexts[i].c_str());

    const int32_t presetCount = companionInfo.presetCounts[tool];
    if (presetCount <= 0) return;
    auto* menu = new DemoGain_MenuVST(CRect(kMenuLeft, y - 2, kMenuRight, y + 22), this,
                                      kFirstPresetTag + i, nullptr, nullptr, kMenuStyle);
    StyleLabel(menu, DemoGain_Colors::kMenuText, kCenterText);
    for (int32_t preset = 1; preset <= presetCount; ++preset)
        menu->addEntry(companionInfo.presetNames[tool][preset].c_str());
    AddBound(menu, kToolPreset[i]);
}

CTextEdit* DemoGain_View::AddFrequencyField(const CRect& rect, int32_t tag)
{
    auto* field = new CTextEdit(rect, this, tag, nullptr, nullptr, 0);
    StyleLabel(field, DemoGain_Colors::kBlue, kRightText);
    addView(field);
    return field;
}

void DemoGain_View::AddStepButton(const CRect& rect, int32_t tag, const char* id, int32 symbol)
{
    auto* button =
        new DemoGain_KickButtonVSTvect(rect, this, tag, rect.height(), nullptr, CPoint(0, 0));
    button->setSymbol(symbol);
    AddBound(button, id);
}

void DemoGain_View::AddStepButtons(CCoord left, CCoord top, int32_t upTag, const char* upID,
                                   int32_t downTag, const char* downID)
{
    AddStepButton(CRect(left, top, left + 10, top + 10), upTag, upID,
                  DemoGain_KickButtonVSTvect::kPlus);
    AddStepButton(CRect(left, top + 14, left + 10, top + 24), downTag, downID,
                  DemoGain_KickButtonVSTvect::kMinus);
}

void DemoGain_View::AddRangeRow(int32_t toolCount)
{
    const CCoord y = RangeRowTop(toolCount);
    AddBound(new DemoGain_OnOffButtonVSTvect(CRect(40, y, 60, y + kControlHeight), this,
                                             kRangeCheckTag, nullptr, 0),
             kRangeCheck);
    rangeFromLabel = AddLabel(CRect(80, y - 2, 220, y + 22), kRangeFromText);
    AddFrequencyField(CRect(kMinFieldLeft, y - 2, kMinFieldRight, y + 22), kMinFieldTag);
    AddStepButtons(316, y, kMinUpTag, kMinUpID, kMinDownTag, kMinDownID);
    rangeToLabel = AddLabel(CRect(346, y - 4, 366, y + 24), kRangeToText);

    // Every opening with a working link starts the upper bound at the range maximum.
    const double rangeMax = companionInfo.rangeMax / kFrequencyScale;
    if (getParameters())
    {
        getParameters()->SetParameterDefaultNormalizedValue(kRangeMax, rangeMax);
        getParameters()->SetParameterNormalizedValue(kRangeMax, rangeMax);
    }
    AddFrequencyField(CRect(kMaxFieldLeft, y - 4, kMaxFieldRight, y + 24), kMaxFieldTag);
    AddStepButtons(462, y, kMaxUpTag, kMaxUpID, kMaxDownTag, kMaxDownID);
}

double DemoGain_View::GetParameter(const char* id) const
{
    double value = 0.0;
    if (getParameters()) getParameters()->GetParameterNormalizedValue(id, &value);
    return value;
}

void DemoGain_View::SetParameter(const char* id, double value)
{
    if (getParameters()) getParameters()->SetParameterNormalizedValue(id, value);
}

void DemoGain_View::ApplyFrequency(const char* id, double hz)
{
    const double value = hz / kFrequencyScale;
    // The parameter keeps the bound in single precision; the field shows the whole Hz the
    // process request will send for it.
    if (CControl* field = ControlFor(id))
        ShowFrequency(static_cast<CTextEdit*>(field), static_cast<float>(value));
    SetParameter(id, value);
}

void DemoGain_View::ShowFrequency(CTextEdit* field, double value)
{
    field->setText(std::to_string(CountFromValue(value, kFrequencyScale)).c_str());
}

double DemoGain_View::BoundHz(const char* id) const
{
    return GetParameter(id) * kFrequencyScale;
}

double DemoGain_View::TypedHz(const CTextEdit* field) const
{
    const double f = std::min(ParseHz(field ? field->getText() : nullptr),
                              static_cast<double>(companionInfo.rangeMax));
    return f <= 0 ? 0 : f;
}

void DemoGain_View::SetLowerBound(double f)
{
    f = std::min(f, BoundHz(kRangeMax) - kMinimumGap);
    if (f <= 0) f = 0;
    ApplyFrequency(kRangeMin, f);
}

void DemoGain_View::SetUpperBound(double f)
{
    f = std::min(f, static_cast<double>(companionInfo.rangeMax));
    const double m = BoundHz(kRangeMin);
    if (f <= m + kMinimumGap) f = m + kMinimumGap;
    ApplyFrequency(kRangeMax, f);
}

void DemoGain_View::valueChanged(CControl* control)
{
    if (!control) return;
    const int32_t tag = control->getTag();
    if (tag >= kFirstToolTag && tag < kFirstPresetTag)
        SetParameter(ParameterIDForTag(tag), control->getValue());
    else if (tag >= kFirstPresetTag && tag < kMinUpTag)
        SetParameter(ParameterIDForTag(tag), control->getValue() * kCountStep);
    else if (tag == kMinUpTag || tag == kMinDownTag)
        SetLowerBound(BoundHz(kRangeMin) + (tag == kMinUpTag ? kStepHz : -kStepHz));
    else if (tag == kMaxUpTag || tag == kMaxDownTag)
        SetUpperBound(BoundHz(kRangeMax) + (tag == kMaxUpTag ? kStepHz : -kStepHz));
    else if (tag == kMinFieldTag)
        SetLowerBound(TypedHz(static_cast<CTextEdit*>(control)));
    else if (tag == kMaxFieldTag)
        SetUpperBound(TypedHz(static_cast<CTextEdit*>(control)));
    else if (tag == kRangeCheckTag)
        SetParameter(kRangeCheck, control->getValue());
}

void DemoGain_View::controlBeginEdit(CControl* control)
{
    const char* id = control ? ParameterIDForTag(control->getTag()) : nullptr;
    if (id && getParameters()) getParameters()->TouchParameter(id);
}

void DemoGain_View::controlEndEdit(CControl* control)
{
    const char* id = control ? ParameterIDForTag(control->getTag()) : nullptr;
    if (id && getParameters()) getParameters()->ReleaseParameter(id);
}

int32 DemoGain_View::TimerWakeup()
{
    if (!statusLabel) return 1;
    const double comm = GetParameter(kComm);
    std::string text;
    CColor colour = DemoGain_Colors::kGrey;
    switch (companionInfo.infoStatus)
    {
    case CompanionInfo::kInfoOK:
        if (StatusFromComm(comm) >= kFirstFailureCode)
        {
            colour = kRedCColor;
            text = FailureText(StatusFromComm(comm));
        }
        break;
    case CompanionInfo::kInfoNoAnswer:
        colour = kRedCColor;
        text = kNoAnswer;
        break;
    case CompanionInfo::kInfoUnreadable:
        colour = kRedCColor;
        text = kUnreadable;
        break;
    case CompanionInfo::kInfoForeignListener:
        colour = kRedCColor;
        text = kForeignPort;
        break;
    case kInfoLaunchFailed:
        colour = kRedCColor;
        text = kNotInstalled;
        break;
    case kInfoLaunched:
        colour = kRedCColor;
        text = kLaunched;
        break;
    default:
    {
        char unknown[48];
        std::snprintf(unknown, sizeof(unknown), kUnknownError, companionInfo.infoStatus);
        text = unknown;
        break;
    }
    }
    statusLabel->setFontColor(colour);
    statusLabel->setText(text.c_str());
    statusLabel->invalid();
    return 1;
}
