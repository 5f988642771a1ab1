#include "EditorCheck.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "AAX_IACFEffectParameters.h"
#include "CarriedCount.h"
#include "CheckContext.h"
#include "CompanionPort.h"
#include "FaultCompanion.h"
#include "HostEditorWindow.h"
#include "HostFrameView.h"
#include "HostX11View.h"
#include "OfflineStatus.h"
#include "ParameterIDs.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"
#include "ScopedVariable.h"
#include "TemporaryFolder.h"

namespace orv::host::validator
{

const char* const EditorCheck::kParametersAnswer =
    "{\"version\":\"2.0\",\"tools\":[\"Gain\",\"Normalize\",\"Band\"],"
    "\"presets\":[[\"-6 dB\",\"+6 dB\"],[\"Peak\",\"Loudness\",\"Soft\"],[]],"
    "\"rangeMax\":24000}";

namespace
{

constexpr int kAnsweredTools = 3;
constexpr int kPresetCounts[kAnsweredTools] = {2, 3, 0};
constexpr double kMenuStep = 1.0 / kCountScale;
// A failure code for "Comm" (nobody listening), which the status line must show.
constexpr double kFailedComm = StatusToComm(kStatusConnect);
// Bounds the host draws frequency values from, normalized (about 190 Hz to 24 kHz).
constexpr double kLowestFrequency = 0.001;
constexpr double kHighestFrequency = 0.125;

// What one opening of the editor runs against, and where its evidence goes.
struct Opening
{
    CheckContext& context;
    HostEditorWindow& window;
    AAX_IACFEffectParameters& parameters;
    std::string name;    // "opening 3 with the companion"
    std::string scratch; // a file path for pictures on their way to the evidence
};

std::vector<uint32_t> Pixels(HostEditorWindow& window, const AAX_Rect& area)
{
    window.Redraw();
    std::vector<uint32_t> pixels;
    const auto bottom = static_cast<uint32_t>(area.top + area.height);
    const auto right = static_cast<uint32_t>(area.left + area.width);
    for (auto y = static_cast<uint32_t>(area.top); y < bottom; ++y)
        for (auto x = static_cast<uint32_t>(area.left); x < right; ++x)
            pixels.push_back(window.View().Pixel(x, y));
    return pixels;
}

void Fail(const Opening& opening, const std::string& what, const std::string& picture)
{
    opening.context.Fail(opening.name + ": " + what);
    if (!opening.window.SavePNG(opening.scratch)) return;
    std::ifstream in(opening.scratch, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    opening.context.SaveArtifact(picture + ".png", bytes.data(), bytes.size());
}

double Value(AAX_IACFEffectParameters& parameters, const char* id)
{
    double value = 0.0;
    parameters.GetParameterNormalizedValue(id, &value);
    return value;
}

// The host sets id to value (not the editor), as automation does, and pumps its queue.
void HostSets(const Opening& opening, const char* id, double value)
{
    opening.parameters.SetParameterNormalizedValue(id, value);
    opening.window.Pump();
}

// The host changes id to changed and back; the pixels of area must follow both ways.
void CheckControlFollows(const Opening& opening, const std::string& id, double changed,
                         const AAX_Rect& area)
{
    opening.context.Progress(opening.name + ": the host sets " + id + " to " +
                             std::to_string(changed));
    const double old = Value(opening.parameters, id.c_str());
    const std::vector<uint32_t> before = Pixels(opening.window, area);
    HostSets(opening, id.c_str(), changed);
    if (Pixels(opening.window, area) == before)
        Fail(opening,
             "the host set " + id + " from " + std::to_string(old) + " to " +
                 std::to_string(changed) + " and its control did not change",
             "editor-" + id + "-unchanged");
    HostSets(opening, id.c_str(), old);
    if (Pixels(opening.window, area) != before)
        Fail(opening,
             "the host set " + id + " back to " + std::to_string(old) +
                 " and its control did not come back",
             "editor-" + id + "-not-back");
}

void CheckControls(const Opening& opening, std::mt19937_64& random)
{
    HostEditorWindow& window = opening.window;
    const int tool = std::uniform_int_distribution<int>(1, kAnsweredTools)(random);
    const char* toolSwitch = ToolSwitchID(tool - 1);
    CheckControlFollows(opening, toolSwitch,
                        Value(opening.parameters, toolSwitch) > 0.5 ? 0.0 : 1.0,
                        window.ToolRowArea(tool));

    const int withMenu = std::uniform_int_distribution<int>(1, 2)(random);
    const int presets = kPresetCounts[withMenu - 1];
    const std::string menu = ToolPresetID(withMenu - 1);
    const int current = CountFromValue(Value(opening.parameters, menu.c_str()));
    const int other =
        (current + std::uniform_int_distribution<int>(1, presets - 1)(random)) % presets;
    CheckControlFollows(opening, menu, other * kMenuStep, window.ToolRowArea(withMenu));

    CheckControlFollows(opening, kRangeParameterID,
                        Value(opening.parameters, kRangeParameterID) > 0.5 ? 0.0 : 1.0,
                        window.RangeRowArea());
    std::uniform_real_distribution<double> frequency(kLowestFrequency, kHighestFrequency);
    for (const char* field : {kMinFrequencyParameterID, kMaxFrequencyParameterID})
        CheckControlFollows(opening, field, frequency(random), window.RangeRowArea());
}

// Timer ticks replace the status line's first text, and follow "Comm" when a companion
// answered.
void CheckStatusLine(const Opening& opening, bool answered)
{
    HostEditorWindow& window = opening.window;
    const AAX_Rect area = window.StatusArea();
    opening.context.Progress(opening.name + ": timer ticks");
    const std::vector<uint32_t> opened = Pixels(window, area);
    window.Tick(HostEditorWindow::kTimerPeriodMs);
    const std::vector<uint32_t> ticked = Pixels(window, area);
    if (ticked == opened)
        Fail(opening, "a timer tick left the status line as it was when the editor opened",
             "editor-status-not-ticked");
    if (!answered) return;

    const double comm = Value(opening.parameters, kCommParameterID);
    HostSets(opening, kCommParameterID, kFailedComm);
    window.Tick(HostEditorWindow::kTimerPeriodMs);
    if (Pixels(window, area) == ticked)
        Fail(opening, "\"Comm\" reports a failure, and after a tick the status line is unchanged",
             "editor-status-no-failure");
    HostSets(opening, kCommParameterID, comm);
    window.Tick(HostEditorWindow::kTimerPeriodMs);
    if (Pixels(window, area) != ticked)
        Fail(opening, "\"Comm\" is back, and after a tick the status line is not",
             "editor-status-not-back");
}

void CheckOpening(const Opening& opening, bool answered, std::mt19937_64& random)
{
    HostEditorWindow& window = opening.window;
    opening.context.Progress(opening.name + ": opening");
    if (!window.Open())
    {
        opening.context.Fail(opening.name + ": the editor built no view");
        return;
    }
    const AAX_Point size = window.Size();
    window.Redraw();
    const uint32_t width = window.View().FrameWidth();
    const uint32_t height = window.View().FrameHeight();
    if (width != size.horz || height != size.vert || size.horz <= 0)
        opening.context.Fail(opening.name + ": the window is " + std::to_string(width) + " x " +
                             std::to_string(height) + " but the editor says " +
                             std::to_string(size.horz) + " x " + std::to_string(size.vert));
    const int expectedTools = answered ? kAnsweredTools : 0;
    if (window.ToolCount() != expectedTools)
        Fail(opening,
             "the editor shows " + std::to_string(window.ToolCount()) +
                 " tool rows where the companion offered " + std::to_string(expectedTools),
             "editor-tool-rows");
    CheckStatusLine(opening, answered);
    if (answered && window.ToolCount() == kAnsweredTools) CheckControls(opening, random);
    opening.context.Progress(opening.name + ": closing");
    window.Close();
}

// A fresh instance with its editor, and a host automation delegate bound to its parameters
// (the previous ones let go first); false, after saying why, when there is none to check.
bool MakeEditorInstance(CheckContext& context, PluginModule& module, ReferenceHost& host,
                        std::unique_ptr<PluginInstance>& instance,
                        ACFPtr<HostAutomationDelegate>& automation)
{
    context.Progress("making an instance with its editor");
    if (automation) automation->SetParameters(nullptr);
    instance.reset();
    automation = ACFPtr<HostAutomationDelegate>(new HostAutomationDelegate);
    std::string error;
    instance = PluginInstance::Create(module, host, {automation.get()}, &error, true);
    if (!instance)
    {
        context.Fail("cannot make an instance: " + error);
        return false;
    }
    if (!instance->Editor())
    {
        context.Info("the effect registers no editor: nothing to open");
        return false;
    }
    automation->SetParameters(instance->Parameters());
    return true;
}

// Starts the companion for an opening it answers and stops it for one it does not; false
// (the check has failed) when its port was taken meanwhile.
bool LetCompanionAnswer(CheckContext& context, FaultCompanion& companion, bool answered)
{
    if (!answered)
    {
        companion.Stop();
        return true;
    }
    if (companion.IsRunning() || companion.Start()) return true;
    context.Fail(CompanionPortLostMessage());
    return false;
}

// A real X11 window when the opening asks for one and it opens, else the offscreen frame.
std::unique_ptr<HostNativeView> OpeningView(bool inWindow, std::string* displayError)
{
    std::unique_ptr<HostNativeView> view;
    if (inWindow) view = HostX11View::Open(nullptr, displayError);
    if (!view) view = std::make_unique<HostFrameView>();
    return view;
}

std::string OpeningName(int64_t index, bool answered, bool inWindow)
{
    return "opening " + std::to_string(index + 1) +
           (answered ? " with the companion" : " without a companion") +
           (inWindow ? " in an X11 window" : "");
}

} // namespace

const char* EditorCheck::Summary() const
{
    return "editor opened and closed again and again, with and without a companion: the host's "
           "parameter changes reach its controls, timer ticks its status line";
}

void EditorCheck::Run(CheckContext& context)
{
    TemporaryFolder folder;
    if (folder.Path().empty())
    {
        context.Fail("cannot make a temporary folder");
        return;
    }
    ScopedVariable path("PATH", folder.Path());
    ScopedVariable home("HOME", folder.Path());
    if (CompanionPortAnswers())
    {
        context.Fail(CompanionPortTakenMessage());
        return;
    }
    FaultCompanion companion;
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer(kParametersAnswer);

    context.Progress("loading the module");
    std::string error;
    ReferenceHost host;
    std::unique_ptr<PluginModule> module = PluginModule::Load(context.ModulePath(), host, &error);
    if (!module)
    {
        context.Fail("cannot load the module: " + error);
        return;
    }
    // Where a display can be opened, every other opening is in a real X11 window.
    std::string displayError;
    const bool display = HostX11View::Open(nullptr, &displayError) != nullptr;
    if (!display) context.Info(displayError + ": the editor is checked without a display only");
    std::unique_ptr<PluginInstance> instance;
    const int64_t openings = context.Scaled(kOpenings);
    ACFPtr<HostAutomationDelegate> automation;
    for (int64_t index = 0; index < openings; ++index)
    {
        if (index % kOpeningsPerInstance == 0 &&
            !MakeEditorInstance(context, *module, host, instance, automation))
            return;
        // The first opening has the companion answer, the second not, the others draw.
        const bool answered = index < 2 ? index == 0 : context.Random()() % 2 == 0;
        if (!LetCompanionAnswer(context, companion, answered)) return;

        const bool inWindow = display && index % 2 == 1;
        HostEditorWindow window(instance->Editor(), instance->Parameters(), automation.get(),
                                OpeningView(inWindow, &displayError));
        CheckOpening({context, window, *instance->Parameters(),
                      OpeningName(index, answered, inWindow), folder / "editor.png"},
                     answered, context.Random());
    }
    companion.Stop();
    if (automation) automation->SetParameters(nullptr);
    instance.reset();
    context.Info(std::to_string(openings) + " openings of the editor" +
                 (display ? ", every other one in an X11 window" : ""));
}

} // namespace orv::host::validator
