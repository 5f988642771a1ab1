// The slot order hosts rely on, for every library class and interface that has one: a
// declaration moved in a header changes a slot silently, and only a host would notice.
#include <gtest/gtest.h>

#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CHostProcessor.h"
#include "AAX_CString.h"
#include "AAX_IACFHostProcessorDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IController.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IHostServices.h"
#include "AAX_IPacketHandler.h"
#include "AAX_IParameter.h"
#include "AAX_IParameterValue.h"
#include "AAX_IPropertyMap.h"
#include "AAX_IString.h"
#include "AAX_ITaperDelegate.h"
#include "AAX_ITransport.h"
#include "AAX_IViewContainer.h"
#include "AAX_VHostProcessorDelegate.h"
#include "CACFUnknown.h"
#include "VirtualSlot.h"

using orv::test::Destructors;
using orv::test::ExpectSlotOrder;

namespace
{
// Reaches the editor's protected view hooks by naming them through a subclass.
struct EditorHooks : AAX_CEffectGUI
{
    static std::vector<orv::test::SlotEntry> Table()
    {
        return {
            ORV_SLOT(EditorHooks, CreateViewContents), ORV_SLOT(EditorHooks, CreateViewContainer),
            ORV_SLOT(EditorHooks, DeleteViewContainer), ORV_SLOT(EditorHooks, UpdateAllParameters)};
    }
};
} // namespace

TEST(VirtualSlotOrder, ComponentObjectBase)
{
    ExpectSlotOrder("IACFUnknown",
                    {ORV_SLOT(IACFUnknown, QueryInterface), ORV_SLOT(IACFUnknown, AddRef),
                     ORV_SLOT(IACFUnknown, Release)},
                    0);
    ExpectSlotOrder("CACFUnknown",
                    {Destructors(), ORV_SLOT(CACFUnknown, InitializeInstance),
                     ORV_SLOT(CACFUnknown, FinalRelease), ORV_SLOT(CACFUnknown, ReclaimMemory),
                     ORV_SLOT(CACFUnknown, InternalQueryInterface),
                     ORV_SLOT(CACFUnknown, InternalAddRef), ORV_SLOT(CACFUnknown, InternalRelease)},
                    0);
}

TEST(VirtualSlotOrder, EffectParametersComponent)
{
    using C = AAX_CEffectParameters;
    ExpectSlotOrder("AAX_CEffectParameters",
                    {ORV_SLOT(C, QueryInterface),
                     ORV_SLOT(C, AddRef),
                     ORV_SLOT(C, Release),
                     ORV_SLOT(C, Initialize),
                     ORV_SLOT(C, Uninitialize),
                     ORV_SLOT(C, NotificationReceived),
                     ORV_SLOT(C, GetNumberOfParameters),
                     ORV_SLOT(C, GetMasterBypassParameter),
                     ORV_SLOT(C, GetParameterIsAutomatable),
                     ORV_SLOT(C, GetParameterNumberOfSteps),
                     ORV_SLOT(C, GetParameterName),
                     ORV_SLOT(C, GetParameterNameOfLength),
                     ORV_SLOT(C, GetParameterDefaultNormalizedValue),
                     ORV_SLOT(C, SetParameterDefaultNormalizedValue),
                     ORV_SLOT(C, GetParameterType),
                     ORV_SLOT(C, GetParameterOrientation),
                     ORV_SLOT(C, GetParameter),
                     ORV_SLOT(C, GetParameterIndex),
                     ORV_SLOT(C, GetParameterIDFromIndex),
                     ORV_SLOT(C, GetParameterValueInfo),
                     ORV_SLOT(C, GetParameterValueFromString),
                     ORV_SLOT(C, GetParameterStringFromValue),
                     ORV_SLOT(C, GetParameterValueString),
                     ORV_SLOT(C, GetParameterNormalizedValue),
                     ORV_SLOT(C, SetParameterNormalizedValue),
                     ORV_SLOT(C, SetParameterNormalizedRelative),
                     ORV_SLOT(C, TouchParameter),
                     ORV_SLOT(C, ReleaseParameter),
                     ORV_SLOT(C, UpdateParameterTouch),
                     ORV_SLOT(C, UpdateParameterNormalizedValue),
                     ORV_SLOT(C, UpdateParameterNormalizedRelative),
                     ORV_SLOT(C, GenerateCoefficients),
                     ORV_SLOT(C, ResetFieldData),
                     ORV_SLOT(C, GetNumberOfChunks),
                     ORV_SLOT(C, GetChunkIDFromIndex),
                     ORV_SLOT(C, GetChunkSize),
                     ORV_SLOT(C, GetChunk),
                     ORV_SLOT(C, SetChunk),
                     ORV_SLOT(C, CompareActiveChunk),
                     ORV_SLOT(C, GetNumberOfChanges),
                     ORV_SLOT(C, TimerWakeup),
                     ORV_SLOT(C, GetCurveData),
                     ORV_SLOT(C, GetCustomData),
                     ORV_SLOT(C, SetCustomData),
                     ORV_SLOT(C, DoMIDITransfers),
                     ORV_SLOT(C, RenderAudio_Hybrid),
                     ORV_SLOT(C, UpdateMIDINodes),
                     ORV_SLOT(C, UpdateControlMIDINodes),
                     ORV_SLOT(C, GetCurveDataMeterIds),
                     ORV_SLOT(C, GetCurveDataDisplayRange),
                     ORV_SLOT(C, InternalQueryInterface),
                     Destructors(),
                     ORV_SLOT(C, EffectInit)},
                    0);
}

TEST(VirtualSlotOrder, HostProcessorComponentAndDelegate)
{
    using C = AAX_CHostProcessor;
    ExpectSlotOrder("AAX_CHostProcessor",
                    {ORV_SLOT(C, QueryInterface), ORV_SLOT(C, AddRef), ORV_SLOT(C, Release),
                     ORV_SLOT(C, Initialize), ORV_SLOT(C, Uninitialize),
                     ORV_SLOT(C, InitOutputBounds), ORV_SLOT(C, SetLocation),
                     ORV_SLOT(C, RenderAudio), ORV_SLOT(C, PreRender), ORV_SLOT(C, PostRender),
                     ORV_SLOT(C, AnalyzeAudio), ORV_SLOT(C, PreAnalyze), ORV_SLOT(C, PostAnalyze),
                     ORV_SLOT(C, GetClipNameSuffix), ORV_SLOT(C, InternalQueryInterface),
                     Destructors(), ORV_SLOT(C, TranslateOutputBounds), ORV_SLOT(C, GetAudio),
                     ORV_SLOT(C, GetSideChainInputNum)},
                    0);

    using D = AAX_VHostProcessorDelegate;
    ExpectSlotOrder("AAX_VHostProcessorDelegate",
                    {Destructors(), ORV_SLOT(D, GetAudio), ORV_SLOT(D, GetSideChainInputNum),
                     ORV_SLOT(D, ForceAnalyze), ORV_SLOT(D, ForceProcess)},
                    0);
    using H = AAX_IACFHostProcessorDelegate_V3;
    ExpectSlotOrder("AAX_IACFHostProcessorDelegate_V3",
                    {ORV_SLOT(H, QueryInterface), ORV_SLOT(H, AddRef), ORV_SLOT(H, Release),
                     ORV_SLOT(H, GetAudio), ORV_SLOT(H, GetSideChainInputNum),
                     ORV_SLOT(H, ForceAnalyze), ORV_SLOT(H, ForceProcess)},
                    0);
}

TEST(VirtualSlotOrder, EditorComponent)
{
    using C = AAX_CEffectGUI;
    ExpectSlotOrder(
        "AAX_CEffectGUI",
        {ORV_SLOT(C, QueryInterface), ORV_SLOT(C, AddRef), ORV_SLOT(C, Release),
         ORV_SLOT(C, Initialize), ORV_SLOT(C, Uninitialize), ORV_SLOT(C, NotificationReceived),
         ORV_SLOT(C, SetViewContainer), ORV_SLOT(C, GetViewSize), ORV_SLOT(C, Draw),
         ORV_SLOT(C, TimerWakeup), ORV_SLOT(C, ParameterUpdated), ORV_SLOT(C, GetCustomLabel),
         ORV_SLOT(C, SetControlHighlightInfo), ORV_SLOT(C, InternalQueryInterface), Destructors()},
        0);
    ExpectSlotOrder("AAX_CEffectGUI", EditorHooks::Table(), 16);

    using V = AAX_IViewContainer;
    ExpectSlotOrder("AAX_IViewContainer",
                    {Destructors(), ORV_SLOT(V, GetType), ORV_SLOT(V, GetPtr),
                     ORV_SLOT(V, GetModifiers), ORV_SLOT(V, SetViewSize),
                     ORV_SLOT(V, HandleParameterMouseDown), ORV_SLOT(V, HandleParameterMouseDrag),
                     ORV_SLOT(V, HandleParameterMouseUp),
                     ORV_SLOT(V, HandleMultipleParametersMouseDown),
                     ORV_SLOT(V, HandleMultipleParametersMouseDrag),
                     ORV_SLOT(V, HandleMultipleParametersMouseUp)},
                    0);
}

TEST(VirtualSlotOrder, ParameterInterfaces)
{
    using V = AAX_IParameterValue;
    ExpectSlotOrder("AAX_IParameterValue",
                    {Destructors(), ORV_SLOT(V, Clone), ORV_SLOT(V, Identifier),
                     ORV_SLOT(V, GetValueAsBool), ORV_SLOT(V, GetValueAsInt32),
                     ORV_SLOT(V, GetValueAsFloat), ORV_SLOT(V, GetValueAsDouble),
                     ORV_SLOT(V, GetValueAsString)},
                    0);

    using P = AAX_IParameter;
    ExpectSlotOrder(
        "AAX_IParameter",
        {Destructors(),
         ORV_SLOT(P, CloneValue),
         ORV_SLOT(P, Identifier),
         ORV_SLOT(P, SetName),
         ORV_SLOT(P, Name),
         ORV_SLOT(P, AddShortenedName),
         ORV_SLOT(P, ShortenedName),
         ORV_SLOT(P, ClearShortenedNames),
         ORV_SLOT(P, Automatable),
         ORV_SLOT(P, SetAutomationDelegate),
         ORV_SLOT(P, Touch),
         ORV_SLOT(P, Release),
         ORV_SLOT(P, SetNormalizedValue),
         ORV_SLOT(P, GetNormalizedValue),
         ORV_SLOT(P, SetNormalizedDefaultValue),
         ORV_SLOT(P, GetNormalizedDefaultValue),
         ORV_SLOT(P, SetToDefaultValue),
         ORV_SLOT(P, SetNumberOfSteps),
         ORV_SLOT(P, GetNumberOfSteps),
         ORV_SLOT(P, GetStepValue),
         ORV_SLOT(P, SetStepValue),
         ORV_SLOT_AS(P, GetValueString, bool(P::*)(AAX_CString*) const),
         ORV_SLOT_AS(P, GetValueString, bool(P::*)(int32, AAX_CString*) const),
         ORV_SLOT(P, GetNormalizedValueFromString),
         ORV_SLOT_AS(P, GetStringFromNormalizedValue, bool(P::*)(double, AAX_CString&) const),
         ORV_SLOT_AS(P, GetStringFromNormalizedValue,
                     bool(P::*)(double, int32, AAX_CString&) const),
         ORV_SLOT(P, SetValueFromString),
         ORV_SLOT(P, GetValueAsBool),
         ORV_SLOT(P, GetValueAsInt32),
         ORV_SLOT(P, GetValueAsFloat),
         ORV_SLOT(P, GetValueAsDouble),
         ORV_SLOT(P, GetValueAsString),
         ORV_SLOT(P, SetValueWithBool),
         ORV_SLOT(P, SetValueWithInt32),
         ORV_SLOT(P, SetValueWithFloat),
         ORV_SLOT(P, SetValueWithDouble),
         ORV_SLOT(P, SetValueWithString),
         ORV_SLOT(P, SetType),
         ORV_SLOT(P, GetType),
         ORV_SLOT(P, SetOrientation),
         ORV_SLOT(P, GetOrientation),
         ORV_SLOT(P, SetTaperDelegate),
         ORV_SLOT(P, SetDisplayDelegate),
         ORV_SLOT(P, UpdateNormalizedValue)},
        0);

    using A = AAX_IAutomationDelegate;
    ExpectSlotOrder("AAX_IAutomationDelegate",
                    {Destructors(), ORV_SLOT(A, RegisterParameter),
                     ORV_SLOT(A, UnregisterParameter), ORV_SLOT(A, PostSetValueRequest),
                     ORV_SLOT(A, PostCurrentValue), ORV_SLOT(A, PostTouchRequest),
                     ORV_SLOT(A, PostReleaseRequest), ORV_SLOT(A, GetTouchState)},
                    0);

    using T = AAX_ITaperDelegate<float>;
    ExpectSlotOrder("AAX_ITaperDelegate<float>",
                    {Destructors(), ORV_SLOT(T, Clone), ORV_SLOT(T, GetMaximumValue),
                     ORV_SLOT(T, GetMinimumValue), ORV_SLOT(T, ConstrainRealValue),
                     ORV_SLOT(T, NormalizedToReal), ORV_SLOT(T, RealToNormalized)},
                    0);

    using D = AAX_IDisplayDelegate<float>;
    ExpectSlotOrder("AAX_IDisplayDelegate<float>",
                    {Destructors(), ORV_SLOT(D, Clone),
                     ORV_SLOT_AS(D, ValueToString, bool(D::*)(float, AAX_CString*) const),
                     ORV_SLOT_AS(D, ValueToString, bool(D::*)(float, int, AAX_CString*) const),
                     ORV_SLOT(D, StringToValue)},
                    0);

    using K = AAX_IPacketHandler;
    ExpectSlotOrder("AAX_IPacketHandler", {Destructors(), ORV_SLOT(K, Clone), ORV_SLOT(K, Call)},
                    0);
}

TEST(VirtualSlotOrder, DescriptionInterfaces)
{
    using C = AAX_ICollection;
    ExpectSlotOrder("AAX_ICollection",
                    {Destructors(), ORV_SLOT(C, NewDescriptor), ORV_SLOT(C, AddEffect),
                     ORV_SLOT(C, SetManufacturerName), ORV_SLOT(C, AddPackageName),
                     ORV_SLOT(C, SetPackageVersion), ORV_SLOT(C, NewPropertyMap),
                     ORV_SLOT(C, SetProperties)},
                    0);

    using E = AAX_IEffectDescriptor;
    ExpectSlotOrder("AAX_IEffectDescriptor",
                    {Destructors(), ORV_SLOT(E, NewComponentDescriptor), ORV_SLOT(E, AddComponent),
                     ORV_SLOT(E, AddName), ORV_SLOT(E, AddCategory),
                     ORV_SLOT(E, AddCategoryBypassParameter), ORV_SLOT(E, AddProcPtr),
                     ORV_SLOT(E, NewPropertyMap), ORV_SLOT(E, SetProperties),
                     ORV_SLOT(E, AddResourceInfo), ORV_SLOT(E, AddMeterDescription),
                     ORV_SLOT(E, AddControlMIDINode)},
                    0);

    using D = AAX_IComponentDescriptor;
    ExpectSlotOrder("AAX_IComponentDescriptor",
                    {Destructors(),
                     ORV_SLOT(D, Clear),
                     ORV_SLOT(D, AddAudioIn),
                     ORV_SLOT(D, AddAudioOut),
                     ORV_SLOT(D, AddAudioBufferLength),
                     ORV_SLOT(D, AddSampleRate),
                     ORV_SLOT(D, AddClock),
                     ORV_SLOT(D, AddSideChainIn),
                     ORV_SLOT(D, AddDataInPort),
                     ORV_SLOT(D, AddAuxOutputStem),
                     ORV_SLOT(D, AddPrivateData),
                     ORV_SLOT(D, AddTemporaryData),
                     ORV_SLOT(D, AddDmaInstance),
                     ORV_SLOT(D, AddMeters),
                     ORV_SLOT(D, AddMIDINode),
                     ORV_SLOT(D, AddReservedField),
                     ORV_SLOT(D, NewPropertyMap),
                     ORV_SLOT(D, DuplicatePropertyMap),
                     ORV_SLOT(D, AddProcessProc_Native),
                     ORV_SLOT(D, AddProcessProc_TI)},
                    0);

    using M = AAX_IPropertyMap;
    ExpectSlotOrder("AAX_IPropertyMap",
                    {Destructors(), ORV_SLOT(M, GetProperty), ORV_SLOT(M, AddProperty),
                     ORV_SLOT(M, RemoveProperty), ORV_SLOT(M, AddPropertyWithIDArray),
                     ORV_SLOT(M, GetPropertyWithIDArray)},
                    0);
}

TEST(VirtualSlotOrder, HostServiceInterfacesAndStrings)
{
    using C = AAX_IController;
    ExpectSlotOrder("AAX_IController",
                    {Destructors(),
                     ORV_SLOT(C, GetEffectID),
                     ORV_SLOT(C, GetSampleRate),
                     ORV_SLOT(C, GetInputStemFormat),
                     ORV_SLOT(C, GetOutputStemFormat),
                     ORV_SLOT(C, GetSignalLatency),
                     ORV_SLOT(C, GetCycleCount),
                     ORV_SLOT(C, GetTODLocation),
                     ORV_SLOT(C, SetSignalLatency),
                     ORV_SLOT(C, SetCycleCount),
                     ORV_SLOT(C, PostPacket),
                     ORV_SLOT(C, SendNotification),
                     ORV_SLOT(C, GetCurrentMeterValue),
                     ORV_SLOT(C, GetMeterPeakValue),
                     ORV_SLOT(C, ClearMeterPeakValue),
                     ORV_SLOT(C, GetMeterCount),
                     ORV_SLOT(C, GetMeterClipped),
                     ORV_SLOT(C, ClearMeterClipped),
                     ORV_SLOT(C, GetNextMIDIPacket),
                     ORV_SLOT(C, GetHybridSignalLatency),
                     ORV_SLOT(C, GetCurrentAutomationTimestamp),
                     ORV_SLOT(C, GetHostName)},
                    0);

    using T = AAX_ITransport;
    ExpectSlotOrder("AAX_ITransport",
                    {Destructors(), ORV_SLOT(T, GetCurrentTempo), ORV_SLOT(T, GetCurrentMeter),
                     ORV_SLOT(T, IsTransportPlaying), ORV_SLOT(T, GetCurrentTickPosition),
                     ORV_SLOT(T, GetCurrentLoopPosition),
                     ORV_SLOT(T, GetCurrentNativeSampleLocation),
                     ORV_SLOT(T, GetCustomTickPosition), ORV_SLOT(T, GetBarBeatPosition),
                     ORV_SLOT(T, GetTicksPerQuarter), ORV_SLOT(T, GetCurrentTicksPerBeat),
                     ORV_SLOT(T, GetTimelineSelectionStartPosition), ORV_SLOT(T, GetTimeCodeInfo),
                     ORV_SLOT(T, GetFeetFramesInfo), ORV_SLOT(T, IsMetronomeEnabled)},
                    0);

    using H = AAX_IHostServices;
    ExpectSlotOrder(
        "AAX_IHostServices",
        {Destructors(), ORV_SLOT(H, Assert), ORV_SLOT(H, Trace), ORV_SLOT(H, StackTrace)}, 0);

    using S = AAX_IString;
    ExpectSlotOrder("AAX_IString",
                    {Destructors(), ORV_SLOT(S, Length), ORV_SLOT(S, MaxLength), ORV_SLOT(S, Get),
                     ORV_SLOT(S, Set),
                     ORV_SLOT_AS(S, operator=, AAX_IString & (S::*)(const AAX_IString&)),
                     ORV_SLOT_AS(S, operator=, AAX_IString & (S::*)(const char*))},
                    0);
}
