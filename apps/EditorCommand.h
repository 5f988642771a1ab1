#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace orv::apps
{

// "editor": opens the plug-in's editor as a host does (view container over a frame table
// native view, parameter updates after each applied change, the timer), applies the user's
// actions in the order given, saves the window as PNG and prints the parameters it ends
// with. Works with or without a running companion.
class EditorCommand
{
public:
    struct Action
    {
        enum class Kind
        {
            Click, // at (x, y)
            Menu,  // tool's preset menu: choose entry (title, or 1-based number)
            Type,  // range field "min" or "max": type text
        };
        Kind kind = Kind::Click;
        double x = 0;
        double y = 0;
        int tool = 0;
        std::string target; // menu entry or field
        std::string text;
    };

    struct Options
    {
        std::string modulePath;    // empty: the bundle beside the build
        std::string pngPath;       // empty: the window stays open until the user closes it
        bool headless = false;     // draw offscreen even where a display can be opened
        std::string stateFile;     // restored before the window opens, when set
        std::string saveStateFile; // written when the window closes, when set
        std::vector<Action> actions;
        int ticks = 1;
    };

    static void Register(CLI::App& app, int* exitCode);
    // Parses one option value; false with a one-line reason.
    static bool ParseClick(const std::string& value, Action* out, std::string* error);
    static bool ParseMenu(const std::string& value, Action* out, std::string* error);
    static bool ParseType(const std::string& value, Action* out, std::string* error);
    // Returns the exit code; errors go to err as one line.
    static int Run(const Options& options, std::ostream& out, std::ostream& err);
};

} // namespace orv::apps
