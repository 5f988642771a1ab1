// Drawing cost of an editor-sized window: what a host pays for each Draw call.
#include "FrameTableHost.h"
#include "vstgui.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace VSTGUI;
using orv::test::FrameTableHost;

namespace
{
// A 540 x 360 window like the editor with three tool rows: labels, menus, toggles, fields.
CFrame* buildWindow(FrameTableHost& view)
{
    CFrame* frame = new CFrame(CRect(0, 0, 540, 360), view.getNativeHandle(), nullptr);
    frame->setBackgroundColor(CColor(59, 59, 59, 255));
    auto label = [&](const CRect& r, const char* text)
    {
        CTextLabel* l = new CTextLabel(r, text);
        l->setFont(kNormalFontVeryBig);
        l->setFontColor(CColor(183, 183, 183, 255));
        l->setBackColor(kTransparentCColor);
        l->setFrameColor(kTransparentCColor);
        l->setHoriAlign(kLeftText);
        frame->addView(l);
    };
    label(CRect(20, 20, 270, 40), "Orvendal QV (ver.1.0)");
    label(CRect(20, 318, 520, 342), "Please open Orvendal QV app.");
    for (int i = 0; i < 3; ++i)
    {
        const CCoord y = 40 * i + 80;
        frame->addView(new COnOffButton(CRect(40, y, 60, y + 20), nullptr, i + 1));
        label(CRect(80, y - 2, 280, y + 22), "Denoise");
        COptionMenu* menu = new COptionMenu(CRect(300, y - 2, 500, y + 22), nullptr, i + 21,
                                            nullptr, nullptr, k3DOut);
        menu->setFont(kNormalFontVeryBig);
        menu->setFontColor(CColor(155, 223, 17, 255));
        for (const char* preset : {"Gentle", "Medium", "Strong"})
            menu->addEntry(preset);
        frame->addView(menu);
    }
    CTextEdit* field = new CTextEdit(CRect(240, 238, 310, 262), nullptr, 45, "20");
    field->setFont(kNormalFontVeryBig);
    field->setHoriAlign(kRightText);
    frame->addView(field);
    return frame;
}
} // namespace

static void BM_RenderEditorWindow(benchmark::State& state)
{
    // Embedded as a host embeds it: each full draw is presented through the frame table.
    FrameTableHost view;
    CFrame* frame = buildWindow(view);
    for (auto _ : state)
    {
        frame->invalid();
        benchmark::DoNotOptimize(view.render());
    }
    frame->forget();
}
BENCHMARK(BM_RenderEditorWindow)->Unit(benchmark::kMillisecond);

static void BM_StatusLineRedraw(benchmark::State& state)
{
    // One timer tick that changes the status text and redraws only that line.
    FrameTableHost view;
    CFrame* frame = buildWindow(view);
    CTextLabel* status = new CTextLabel(CRect(20, 318, 520, 342), "");
    status->setFont(kNormalFontVeryBig);
    status->setBackColor(kTransparentCColor);
    frame->addView(status);
    view.render();
    int tick = 0;
    for (auto _ : state)
    {
        char text[64];
        std::snprintf(text, sizeof text, "Unknown error code (%i)", tick++);
        status->setText(text);
        benchmark::DoNotOptimize(view.advanceTime(50)); // redraws what changed
    }
    frame->forget();
}
BENCHMARK(BM_StatusLineRedraw)->Unit(benchmark::kMicrosecond);

static void BM_DrawString(benchmark::State& state)
{
    COffscreenContext* context = COffscreenContext::create(nullptr, 300, 40);
    context->setFont(kNormalFontVeryBig);
    for (auto _ : state)
        context->drawString("Range (Hz) From", CRect(0, 0, 300, 40), kLeftText, true);
    context->forget();
}
BENCHMARK(BM_DrawString)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
