// The plug-in's components keep the slots of their library bases and append their own
// operations after the base's last one: the slot order hosts rely on.
#include <gtest/gtest.h>

#include "AAX_CEffectGUI_VST.h"
#include "DemoDelay_HostProcessor.h"
#include "DemoDelay_Parameters.h"
#include "DemoGain_GUI.h"
#include "VirtualSlot.h"

using orv::test::ExpectSlotOrder;

namespace
{
// An editor's protected hooks, named through a subclass, from CreateViewContents (slot 16) to
// the view the toolkit editor adds (slot 20).
template <typename Editor> struct EditorHooks : Editor
{
    static std::vector<orv::test::SlotEntry> Table()
    {
        return {
            ORV_SLOT(EditorHooks, CreateViewContents), ORV_SLOT(EditorHooks, CreateViewContainer),
            ORV_SLOT(EditorHooks, DeleteViewContainer), ORV_SLOT(EditorHooks, UpdateAllParameters),
            ORV_SLOT(EditorHooks, CreateEffectView)};
    }
};
} // namespace

TEST(PluginSlotOrder, ProcessorAppendsItsSevenStepsAfterTheBase)
{
    using P = DemoDelay_HostProcessor;
    ExpectSlotOrder("DemoDelay_HostProcessor",
                    {ORV_SLOT(P, RenderAudio), ORV_SLOT(P, PreRender), ORV_SLOT(P, PostRender),
                     ORV_SLOT(P, AnalyzeAudio), ORV_SLOT(P, PreAnalyze), ORV_SLOT(P, PostAnalyze)},
                    7);
    ExpectSlotOrder("DemoDelay_HostProcessor", {ORV_SLOT(P, Uninitialize)}, 4);
    ExpectSlotOrder("DemoDelay_HostProcessor",
                    {ORV_SLOT(P, PrepareInterfaceFileForWrite), ORV_SLOT(P, AppendAudioSliceToFile),
                     ORV_SLOT(P, CompleteInterfaceFile), ORV_SLOT(P, PrepareInterfaceFileForRead),
                     ORV_SLOT(P, GetAudioSliceFromFile), ORV_SLOT(P, CloseInterfaceFileAfterRead),
                     ORV_SLOT(P, RequestExternalAudioProcessing)},
                    20);
}

TEST(PluginSlotOrder, ParametersOverrideInTheirBaseSlots)
{
    using P = DemoDelay_Parameters;
    ExpectSlotOrder("DemoDelay_Parameters",
                    {ORV_SLOT(P, GetCustomData), ORV_SLOT(P, SetCustomData)}, 42);
    ExpectSlotOrder("DemoDelay_Parameters", {ORV_SLOT(P, EffectInit)}, 53);
}

TEST(PluginSlotOrder, EditorsOverrideInTheirBaseSlotsAndAddTheViewAtTwenty)
{
    using V = AAX_CEffectGUI_VST;
    ExpectSlotOrder("AAX_CEffectGUI_VST", {ORV_SLOT(V, GetViewSize), ORV_SLOT(V, Draw)}, 7);
    ExpectSlotOrder("AAX_CEffectGUI_VST", EditorHooks<AAX_CEffectGUI_VST>::Table(), 16);

    using G = DemoGain_GUI;
    ExpectSlotOrder("DemoGain_GUI", {ORV_SLOT(G, TimerWakeup), ORV_SLOT(G, ParameterUpdated)}, 9);
    ExpectSlotOrder("DemoGain_GUI", {ORV_SLOT(G, SetControlHighlightInfo)}, 12);
    ExpectSlotOrder("DemoGain_GUI", EditorHooks<DemoGain_GUI>::Table(), 16);
}
