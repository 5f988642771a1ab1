// Costs of the plug-in's parameters component as a host meets them: saving the full state
// (GetChunkSize + GetChunk), restoring it (SetChunk), comparing it (CompareActiveChunk), and
// one round of coefficients after every parameter changed (45 updates + one dispatch).
// The host applies set requests at once, so a restore really changes the values.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "DemoDelay_ParameterIDs.h"
#include "HostChunk.h"
#include "HostStateFile.h"
#include "HostedParameters.h"

namespace
{
constexpr AAX_CTypeID kStateChunkID = 0x656C636B; // 'elck'

// The plug-in's parameters in the reference host, holding a state other than the defaults.
class Instance
{
public:
    Instance()
    {
        for (int32 tool = 0; tool < kNumTools; ++tool)
        {
            hosted.Set(ToolSwitchID(tool), tool % 2);
            hosted.Set(ToolPresetID(tool), tool / 100.0);
        }
        automation.ClearEvents();
    }

    orv::host::HostChunk Save()
    {
        orv::host::HostChunk chunk;
        std::string error;
        if (!orv::host::HostStateFile::Capture(*parameters, &chunk, &error))
            throw std::runtime_error(error);
        return chunk;
    }

    orv::host::ReferenceHost host;
    orv::test::HostedParameters hosted{host};
    AAX_IACFEffectParameters* parameters = hosted.Get();
    orv::host::HostAutomationDelegate& automation = hosted.Automation();
};

void BM_GetChunkSizeAndGetChunk(benchmark::State& state)
{
    Instance instance;
    uint32 size = 0;
    instance.parameters->GetChunkSize(kStateChunkID, &size);
    orv::host::HostChunk chunk(size);
    for (auto _ : state)
    {
        instance.parameters->GetChunkSize(kStateChunkID, &size);
        benchmark::DoNotOptimize(instance.parameters->GetChunk(kStateChunkID, chunk.Record()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}
BENCHMARK(BM_GetChunkSizeAndGetChunk);

void BM_SetChunk(benchmark::State& state)
{
    Instance instance;
    const orv::host::HostChunk chunk = instance.Save();
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(instance.parameters->SetChunk(kStateChunkID, chunk.Record()));
        state.PauseTiming();
        instance.automation.ClearEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetChunk);

void BM_CompareActiveChunk(benchmark::State& state)
{
    Instance instance;
    const orv::host::HostChunk chunk = instance.Save();
    AAX_CBoolean equal = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(instance.parameters->CompareActiveChunk(chunk.Record(), &equal));
    if (!equal) state.SkipWithError("the saved state did not compare equal");
}
BENCHMARK(BM_CompareActiveChunk);

void BM_FortyFiveUpdatesAndDispatch(benchmark::State& state)
{
    Instance instance;
    const char* identifiers[2 * kNumTools + 5];
    for (int32 index = 0; index < 2 * kNumTools; ++index)
        identifiers[index] = kToolParameterIDs[index];
    const char* controls[] = {kRangeParameterID, kMinFrequencyParameterID, kMaxFrequencyParameterID,
                              kNumToolsParameterID, kCommParameterID};
    for (int32 index = 0; index < 5; ++index)
        identifiers[2 * kNumTools + index] = controls[index];
    double value = 0.0;
    for (auto _ : state)
    {
        value = value > 0.5 ? 0.0 : value + 0.01;
        for (const char* identifier : identifiers)
            instance.parameters->UpdateParameterNormalizedValue(identifier, value,
                                                                AAX_eUpdateSource_Parameter);
        benchmark::DoNotOptimize(instance.parameters->GenerateCoefficients());
        state.PauseTiming();
        instance.automation.ClearEvents();
        state.ResumeTiming();
    }
}
// The reference host keeps every posted packet, so the run is bounded to keep its log small.
BENCHMARK(BM_FortyFiveUpdatesAndDispatch)->Iterations(5000);

} // namespace

BENCHMARK_MAIN();
