// Opening the editor window as a host does: the "parameters" exchange with a companion on
// the loopback port, building DemoGain_View with its rows, and the first full draw.
#include <benchmark/benchmark.h>

#include "DemoGain_View.h"
#include "EditorFixture.h"
#include "HostFrameView.h"
#include "HostX11View.h"

namespace
{

constexpr const char* kFiveTools =
    "{\"version\":\"2.0\",\"tools\":[\"Gain\",\"Normalize\",\"Denoise\",\"De-hum\",\"Band\"],"
    "\"presets\":[[\"-6 dB\",\"-3 dB\",\"+3 dB\",\"+6 dB\"],[\"Peak -1 dB\",\"-14 LUFS\",\"-23 "
    "LUFS\"],[\"Light\",\"Medium\",\"Strong\"],[\"50 Hz\",\"60 Hz\"],[\"Low\",\"Mid\",\"High\"]],"
    "\"rangeMax\":96000}";

void OpenEditor(benchmark::State& state)
{
    orv::test::EditorFixture fixture;
    if (!fixture.StartCompanion(kFiveTools))
    {
        state.SkipWithError("port 51121 is taken");
        return;
    }
    for (auto _ : state)
    {
        auto* view = new DemoGain_View(fixture.view.getNativeHandle(), &fixture.parameters, nullptr,
                                       &fixture.container);
        fixture.view.render();
        benchmark::DoNotOptimize(fixture.view.getPixel(10, 10));
        view->forget();
    }
}
BENCHMARK(OpenEditor)->Unit(benchmark::kMillisecond);

// The same opening through the host's frame table: the first frame is handed to the host.
void OpenEditorThroughFrameTable(benchmark::State& state)
{
    orv::test::EditorFixture fixture;
    if (!fixture.StartCompanion(kFiveTools))
    {
        state.SkipWithError("port 51121 is taken");
        return;
    }
    orv::host::HostFrameView host;
    for (auto _ : state)
    {
        auto* view =
            new DemoGain_View(host.NativeView(), &fixture.parameters, nullptr, &fixture.container);
        view->drawRect(nullptr, VSTGUI::CRect(0, 0, host.FrameWidth(), host.FrameHeight()));
        benchmark::DoNotOptimize(host.Pixel(10, 10));
        view->forget();
    }
}
BENCHMARK(OpenEditorThroughFrameTable)->Unit(benchmark::kMillisecond);

// The same opening in a real X11 window ($DISPLAY): the plug-in connects to the display, makes
// its child window in the host's and the first frame is on screen (synced with the server).
void OpenEditorInX11Window(benchmark::State& state)
{
    std::string error;
    std::unique_ptr<orv::host::HostX11View> window = orv::host::HostX11View::Open(nullptr, &error);
    if (!window)
    {
        state.SkipWithError(error.c_str());
        return;
    }
    orv::test::EditorFixture fixture;
    if (!fixture.StartCompanion(kFiveTools))
    {
        state.SkipWithError("port 51121 is taken");
        return;
    }
    window->Show(540, 440);
    for (auto _ : state)
    {
        auto* view = new DemoGain_View(window->NativeView(), &fixture.parameters, nullptr,
                                       &fixture.container);
        view->drawRect(nullptr, VSTGUI::CRect(0, 0, 540, 440));
        view->forget();
    }
}
BENCHMARK(OpenEditorInX11Window)->Unit(benchmark::kMillisecond);

void FirstDraw(benchmark::State& state)
{
    orv::test::EditorFixture fixture;
    if (!fixture.StartCompanion(kFiveTools))
    {
        state.SkipWithError("port 51121 is taken");
        return;
    }
    auto* view = new DemoGain_View(fixture.view.getNativeHandle(), &fixture.parameters, nullptr,
                                   &fixture.container);
    for (auto _ : state)
    {
        view->invalid(); // a full draw each time, presented to the host
        benchmark::DoNotOptimize(fixture.view.render());
    }
    view->forget();
}
BENCHMARK(FirstDraw)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
