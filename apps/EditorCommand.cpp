#include "EditorCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <ostream>

#include <cmath>

#include "AAX_Errors.h"
#include "ExitCodes.h"
#include "HostEditorWindow.h"
#include "HostFrameView.h"
#include "HostSession.h"
#include "HostStateFile.h"
#include "HostString.h"
#include "HostX11View.h"

namespace orv::apps
{
namespace
{

constexpr int kMaxTicks = 100000;

bool ParseNumber(const std::string& text, double* out)
{
    if (text.empty()) return false;
    char* end = nullptr;
    *out = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(*out);
}

// Splits "head<separator>rest" at the first separator; false when there is none.
bool Split(const std::string& value, char separator, std::string* head, std::string* rest)
{
    const size_t at = value.find(separator);
    if (at == std::string::npos) return false;
    *head = value.substr(0, at);
    *rest = value.substr(at + 1);
    return true;
}

void PrintParameters(std::ostream& out, AAX_IACFEffectParameters& parameters)
{
    int32 count = 0;
    parameters.GetNumberOfParameters(&count);
    for (int32 index = 0; index < count; ++index)
    {
        host::HostString id;
        if (parameters.GetParameterIDFromIndex(index, &id) != kResultSuccess) continue;
        double value = 0.0;
        host::HostString text;
        parameters.GetParameterNormalizedValue(id.Get(), &value);
        parameters.GetParameterValueString(id.Get(), &text, host::HostString::kMaxLength);
        char line[128];
        std::snprintf(line, sizeof(line), "%-16s %-12.6g %s\n", id.Get(), value, text.Get());
        out << line;
    }
}

bool Apply(host::HostEditorWindow& window, const EditorCommand::Action& action, std::string* error)
{
    switch (action.kind)
    {
    case EditorCommand::Action::Kind::Click:
        window.Click(action.x, action.y);
        return true;
    case EditorCommand::Action::Kind::Menu:
        return window.ChooseMenuEntry(action.tool, action.target, error);
    case EditorCommand::Action::Kind::Type:
        return window.TypeIntoField(action.target, action.text, error);
    }
    return false;
}

} // namespace

bool EditorCommand::ParseClick(const std::string& value, Action* out, std::string* error)
{
    std::string x, y;
    Action action;
    action.kind = Action::Kind::Click;
    if (!Split(value, ',', &x, &y) || !ParseNumber(x, &action.x) || !ParseNumber(y, &action.y))
    {
        *error = "--click wants X,Y (numbers), not \"" + value + "\"";
        return false;
    }
    *out = action;
    return true;
}

bool EditorCommand::ParseMenu(const std::string& value, Action* out, std::string* error)
{
    std::string tool, entry;
    double number = 0;
    if (!Split(value, ':', &tool, &entry) || !ParseNumber(tool, &number) || number < 1 ||
        number > 20 || number != static_cast<int>(number) || entry.empty())
    {
        *error = "--menu wants TOOL:ENTRY (tool 1 to 20), not \"" + value + "\"";
        return false;
    }
    Action action;
    action.kind = Action::Kind::Menu;
    action.tool = static_cast<int>(number);
    action.target = entry;
    *out = action;
    return true;
}

bool EditorCommand::ParseType(const std::string& value, Action* out, std::string* error)
{
    std::string field, text;
    if (!Split(value, ':', &field, &text) || (field != "min" && field != "max"))
    {
        *error = "--type wants min:TEXT or max:TEXT, not \"" + value + "\"";
        return false;
    }
    Action action;
    action.kind = Action::Kind::Type;
    action.target = field;
    action.text = text;
    *out = action;
    return true;
}

void EditorCommand::Register(CLI::App& app, int* exitCode)
{
    auto options = std::make_shared<Options>();
    auto clicks = std::make_shared<std::vector<std::string>>();
    auto menus = std::make_shared<std::vector<std::string>>();
    auto types = std::make_shared<std::vector<std::string>>();
    CLI::App* command = app.add_subcommand(
        "editor", "Open the plug-in's editor in a window (until you close it), or apply user "
                  "actions in order and save it as PNG");
    command->add_option("--png", options->pngPath,
                        "Picture of the window to write; without it the window stays open "
                        "until it is closed");
    command->add_flag("--headless", options->headless,
                      "Draw offscreen even where a display can be opened (needs --png)");
    CLI::Option* click =
        command->add_option("--click", *clicks, "Click at X,Y (window pixels)")->take_all();
    CLI::Option* menu =
        command->add_option("--menu", *menus, "Choose ENTRY (title or number) in TOOL's menu")
            ->take_all();
    CLI::Option* type =
        command->add_option("--type", *types, "Type TEXT into the range field min or max")
            ->take_all();
    command->add_option("--ticks", options->ticks, "Timer ticks after the actions (default 1)")
        ->check(CLI::Range(0, kMaxTicks));
    command->add_option("--state", options->stateFile, "Restore this state file first")
        ->check(CLI::ExistingFile);
    command->add_option("--save-state", options->saveStateFile,
                        "Write the state to this file when the window closes");
    command->add_option("--module", options->modulePath, HostSession::kModuleOptionHelp);
    command->callback(
        [=]
        {
            // Actions run in the order they were given, across the three options.
            size_t next[3] = {0, 0, 0};
            options->actions.clear();
            for (CLI::Option* option : command->parse_order())
            {
                Action action{};
                std::string error;
                bool ok = true;
                if (option == click)
                    ok = ParseClick((*clicks)[next[0]++], &action, &error);
                else if (option == menu)
                    ok = ParseMenu((*menus)[next[1]++], &action, &error);
                else if (option == type)
                    ok = ParseType((*types)[next[2]++], &action, &error);
                else
                    continue;
                if (!ok) throw CLI::ValidationError(error);
                options->actions.push_back(action);
            }
            *exitCode = Run(*options, std::cout, std::cerr);
        });
}

namespace
{

// The window on the display when one opens; else, for a picture, the offscreen view.
std::unique_ptr<host::HostNativeView> MakeView(const EditorCommand::Options& options,
                                               std::ostream& err)
{
    if (options.headless && options.pngPath.empty())
    {
        err << "orvendal-host editor: --headless draws offscreen, so it needs --png FILE\n";
        return nullptr;
    }
    if (options.headless) return std::make_unique<host::HostFrameView>();
    std::string error;
    if (std::unique_ptr<host::HostX11View> window = host::HostX11View::Open(nullptr, &error))
        return window;
    if (options.pngPath.empty())
    {
        err << "orvendal-host editor: " << error
            << "; give --png FILE to draw the editor without a display\n";
        return nullptr;
    }
    return std::make_unique<host::HostFrameView>();
}

int Fail(std::ostream& err, int code, const std::string& message)
{
    err << "orvendal-host editor: " << message << "\n";
    return code;
}

// Opens the window, plays the actions and the timer ticks, then waits until the window is
// closed or saves its picture; saves the state and prints the parameters after.
int DriveWindow(host::HostEditorWindow& window, bool hasEditor,
                const EditorCommand::Options& options, AAX_IACFEffectParameters& parameters,
                std::ostream& out, std::ostream& err)
{
    if (!hasEditor || !window.Open())
        return Fail(err, kExitFailure, "the plug-in opened no editor window");
    std::string error;
    for (const EditorCommand::Action& action : options.actions)
        if (!Apply(window, action, &error)) return Fail(err, kExitUsage, error);
    for (int tick = 0; tick < options.ticks; ++tick)
        window.Tick(host::HostEditorWindow::kTimerPeriodMs);
    if (options.pngPath.empty())
        window.RunUntilClosed();
    else if (!window.SavePNG(options.pngPath))
        return Fail(err, kExitFailure, "cannot write " + options.pngPath);
    if (!options.saveStateFile.empty() &&
        !host::HostStateFile::Save(parameters, options.saveStateFile, &error))
        return Fail(err, kExitFailure, error);
    PrintParameters(out, parameters);
    return kExitSuccess;
}

} // namespace

int EditorCommand::Run(const Options& options, std::ostream& out, std::ostream& err)
{
    std::unique_ptr<host::HostNativeView> view = MakeView(options, err);
    if (!view) return kExitUsage;
    std::string error;
    std::unique_ptr<HostSession> session = HostSession::Open(options.modulePath, &error);
    if (!session) return Fail(err, kExitUsage, error);
    ACFPtr<host::HostAutomationDelegate> automation(new host::HostAutomationDelegate);
    if (!session->CreateInstance({automation.get()}, &error, true))
        return Fail(err, kExitFailure, error);
    host::PluginInstance& instance = *session->Instance();
    automation->SetParameters(instance.Parameters());
    int result = kExitSuccess;
    if (!options.stateFile.empty() &&
        !host::HostStateFile::Restore(*instance.Parameters(), options.stateFile, &error))
        result = Fail(err, kExitUsage, error);
    else
    {
        if (!options.stateFile.empty()) automation->Pump();
        host::HostEditorWindow window(instance.Editor(), instance.Parameters(), automation.get(),
                                      std::move(view));
        result = DriveWindow(window, instance.Editor() != nullptr, options, *instance.Parameters(),
                             out, err);
    }
    automation->SetParameters(nullptr);
    return result;
}

} // namespace orv::apps
