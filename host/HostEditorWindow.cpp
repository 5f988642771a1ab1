#include "HostEditorWindow.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "AAX_Errors.h"
#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "CarriedCount.h"
#include "EditorLayout.h"
#include "HostFrameView.h"
#include "ParameterIDs.h"

namespace orv::host
{
namespace
{

using namespace EditorLayout;

// Clicks land in the middle of a control.
constexpr double kMenuCentreX = (kMenuLeft + kMenuRight) / 2;
constexpr double kMinFieldCentreX = (kMinFieldLeft + kMinFieldRight) / 2;
constexpr double kMaxFieldCentreX = (kMaxFieldLeft + kMaxFieldRight) / 2;
constexpr double kControlCentreY = kControlHeight / 2;
// Rows reach a little above and below their controls.
constexpr double kRowMargin = 4;
constexpr double kRowBandHeight = 32;

} // namespace

HostEditorWindow::HostEditorWindow(AAX_IACFEffectGUI* editor, AAX_IACFEffectParameters* parameters,
                                   HostAutomationDelegate* automation)
    : HostEditorWindow(editor, parameters, automation, std::make_unique<HostFrameView>())
{
}

HostEditorWindow::HostEditorWindow(AAX_IACFEffectGUI* editor, AAX_IACFEffectParameters* parameters,
                                   HostAutomationDelegate* automation,
                                   std::unique_ptr<HostNativeView> view)
    : mEditor(editor), mParameters(parameters), mAutomation(automation), mView(std::move(view)),
      mContainer(new HostViewContainer(mView->NativeView()))
{
    // Input on a real display reaches the editor only when its timer runs.
    mView->SetService(
        [this]
        {
            if (!mOpen) return;
            mEditor->TimerWakeup();
            Pump();
        });
}

HostEditorWindow::~HostEditorWindow()
{
    Close();
}

bool HostEditorWindow::Open()
{
    if (mOpen) return true;
    if (!mEditor) return false;
    if (mAutomation)
    {
        AAX_IACFEffectGUI* editor = mEditor;
        mAutomation->SetUpdateListener([editor](const char* identifier, double)
                                       { editor->ParameterUpdated(identifier); });
    }
    mEditor->SetViewContainer(mContainer.get());
    mOpen = true;
    Pump();
    const AAX_Point size = Size();
    if (!mView->HasFrame() || size.horz < 1 || size.vert < 1) return false;
    if (!mView->Show(static_cast<uint32_t>(size.horz), static_cast<uint32_t>(size.vert)))
        return false;
    Redraw();
    return true;
}

void HostEditorWindow::Close()
{
    if (!mOpen) return;
    mEditor->SetViewContainer(nullptr);
    if (mAutomation) mAutomation->SetUpdateListener(nullptr);
    mOpen = false;
}

int HostEditorWindow::Pump()
{
    return mAutomation ? mAutomation->Pump() : 0;
}

void HostEditorWindow::Click(double x, double y)
{
    mView->Click(x, y);
    Pump();
}

bool HostEditorWindow::ChooseMenuEntry(int tool, const std::string& entry, std::string* error)
{
    if (tool < 1 || tool > ToolCount())
    {
        *error = "there is no tool " + std::to_string(tool);
        return false;
    }
    mView->Click(kMenuCentreX, ToolRowTop(tool - 1) + kControlCentreY);
    if (!mView->WaitFor([this] { return mView->IsMenuOpen(); }))
    {
        *error = "tool " + std::to_string(tool) + " has no preset menu";
        return false;
    }
    bool chosen = mView->ChooseMenuEntry(entry);
    if (!chosen)
    {
        char* end = nullptr;
        const long number = std::strtol(entry.c_str(), &end, 10);
        if (!entry.empty() && *end == '\0' && number >= 1 && number <= 1000)
            chosen = mView->ChooseMenuEntry(static_cast<int32_t>(number - 1));
    }
    if (!chosen)
    {
        mView->CancelMenu();
        *error = "tool " + std::to_string(tool) + " has no preset \"" + entry + "\"";
        return false;
    }
    Pump();
    return true;
}

bool HostEditorWindow::TypeIntoField(const std::string& field, const std::string& text,
                                     std::string* error)
{
    const int tools = ToolCount();
    if (field != "min" && field != "max")
    {
        *error = "unknown field \"" + field + "\" (min or max)";
        return false;
    }
    if (tools == 0)
    {
        *error = "the window has no range row";
        return false;
    }
    const double y = RangeRowTop(tools) + kControlCentreY;
    mView->Click(field == "min" ? kMinFieldCentreX : kMaxFieldCentreX, y);
    if (!mView->WaitFor([this] { return mView->IsTextEditOpen(); }) ||
        !mView->ReplaceEditText(text))
    {
        *error = "the " + field + " field did not take the text";
        return false;
    }
    Pump();
    return true;
}

void HostEditorWindow::Tick(unsigned milliseconds)
{
    mEditor->TimerWakeup();
    mView->AdvanceTime(milliseconds);
    Pump();
}

void HostEditorWindow::Redraw()
{
    const AAX_Point size = Size();
    AAX_Rect area{0.0f, 0.0f, size.horz, size.vert};
    mEditor->Draw(&area);
    mView->Capture();
}

void HostEditorWindow::RunUntilClosed()
{
    const auto period = std::chrono::milliseconds(kTimerPeriodMs);
    auto next = std::chrono::steady_clock::now();
    while (mOpen && !mView->CloseRequested())
    {
        Tick(kTimerPeriodMs);
        next += period;
        std::this_thread::sleep_until(next);
    }
}

bool HostEditorWindow::SavePNG(const std::string& path)
{
    Redraw();
    return mView->SavePNG(path);
}

AAX_Point HostEditorWindow::Size() const
{
    AAX_Point size{0.0f, 0.0f};
    mEditor->GetViewSize(&size);
    return size;
}

int HostEditorWindow::ToolCount() const
{
    double value = 0.0;
    if (!mParameters ||
        mParameters->GetParameterNormalizedValue(kNumToolsParameterID, &value) != kResultSuccess)
        return 0;
    const int32 count = CountFromValue(value);
    return count > 0 && count <= kNumTools ? count : 0;
}

AAX_Rect HostEditorWindow::ToolRowArea(int tool) const
{
    const double top = ToolRowTop(tool - 1) - kRowMargin;
    return Band(top, kRowBandHeight);
}

AAX_Rect HostEditorWindow::RangeRowArea() const
{
    const double top = RangeRowTop(ToolCount()) - kRowMargin;
    return Band(top, kRowBandHeight);
}

AAX_Rect HostEditorWindow::StatusArea() const
{
    return Band(StatusTop(ToolCount()), kStatusHeight);
}

AAX_Rect HostEditorWindow::Band(double top, double height) const
{
    return AAX_Rect{static_cast<float>(top), 0.0f, Size().horz, static_cast<float>(height)};
}

} // namespace orv::host
