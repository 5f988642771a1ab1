#pragma once

#include <memory>
#include <string>

#include "ACFPtr.h"
#include "HostAutomationDelegate.h"
#include "HostNativeView.h"
#include "HostViewContainer.h"

class AAX_IACFEffectGUI;
class AAX_IACFEffectParameters;

namespace orv::host
{

// The host's editor window for one plug-in instance: a native view (a frame table without a
// display, or a real X11 window) handed to the editor through a view container (type 1), with
// the automation delegate wired so that every applied change reaches the editor through
// ParameterUpdated. Actions are applied the way a user makes them, each followed by a pump of the
// host's queue. The instance's editor and parameters, and the automation delegate, must outlive the
// window.
class HostEditorWindow
{
public:
    // Milliseconds between two timer ticks of the host.
    static constexpr unsigned kTimerPeriodMs = 30;

    // Without a display: a frame table view.
    HostEditorWindow(AAX_IACFEffectGUI* editor, AAX_IACFEffectParameters* parameters,
                     HostAutomationDelegate* automation);
    // In `view` (non-null), which the window owns from here on.
    HostEditorWindow(AAX_IACFEffectGUI* editor, AAX_IACFEffectParameters* parameters,
                     HostAutomationDelegate* automation, std::unique_ptr<HostNativeView> view);
    // Closes the window if it is open.
    ~HostEditorWindow();

    HostEditorWindow(const HostEditorWindow&) = delete;
    HostEditorWindow& operator=(const HostEditorWindow&) = delete;

    // Opens the window (the editor builds its view), shows it with the editor's size, applies
    // what opening requested and puts the first picture on screen. False when the editor built
    // no view or it cannot be shown.
    bool Open();
    void Close();
    bool IsOpen() const { return mOpen; }

    // Applies queued requests; ParameterUpdated follows each. Returns how many.
    int Pump();
    void Click(double x, double y);
    // Opens tool's (1-based) preset menu and chooses entry (a title, else a 1-based number).
    // False with a reason when there is no such menu or entry.
    bool ChooseMenuEntry(int tool, const std::string& entry, std::string* error);
    // Types text into the range field "min" or "max" and accepts it.
    bool TypeIntoField(const std::string& field, const std::string& text, std::string* error);
    // One timer tick: the host's TimerWakeup, then the toolkit's time.
    void Tick(unsigned milliseconds);
    // Has the editor draw the whole window and takes what is on screen into the view's picture.
    void Redraw();
    // Runs the host's timer until the user closes the window (a window manager's close).
    void RunUntilClosed();
    // Draws the whole window through the editor and writes it as PNG.
    bool SavePNG(const std::string& path);

    // The window size the editor reports.
    AAX_Point Size() const;
    // Tool rows shown, from "NTools".
    int ToolCount() const;

    // Where the editor draws, as a user finds it on screen (window pixels): tool's
    // (1-based) row with its switch, name and preset menu; the range row with its switch
    // and fields; the status line.
    AAX_Rect ToolRowArea(int tool) const;
    AAX_Rect RangeRowArea() const;
    AAX_Rect StatusArea() const;

    HostNativeView& View() { return *mView; }
    HostViewContainer& Container() { return *mContainer.get(); }

private:
    // A band across the whole window.
    AAX_Rect Band(double top, double height) const;

    AAX_IACFEffectGUI* mEditor;
    AAX_IACFEffectParameters* mParameters;
    HostAutomationDelegate* mAutomation;
    std::unique_ptr<HostNativeView> mView;
    ACFPtr<HostViewContainer> mContainer;
    bool mOpen = false;
};

} // namespace orv::host
