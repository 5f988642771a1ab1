// The offline processor's analysis and render round trip over ten minutes of 48 kHz audio
// in 1024-sample windows, with a companion that leaves the file untouched, side by side
// with the same bytes written and read through plain buffered file streams, and in 1 MiB
// blocks straight through the system calls (as fast as this machine moves them).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "AAX_Errors.h"
#include "DemoDelay_HostProcessor.h"
#include "FaultCompanion.h"
#include "ReferenceHost.h"
#include "TempFolder.h"

namespace
{

constexpr int64 kSamples = 10LL * 60 * 48000;
constexpr int32 kWindow = 1024;

std::vector<float> Window()
{
    std::vector<float> window(kWindow);
    for (int32 i = 0; i < kWindow; ++i)
        window[i] = static_cast<float>(i) / kWindow - 0.5f;
    return window;
}

void ProcessorRoundTrip(benchmark::State& state)
{
    orv::test::TempFolder home;
    ::setenv("HOME", home.Path().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    orv::host::validator::FaultCompanion companion;
    // Leaves the file as it is and says so, as the companion does with no tool on.
    companion.SetBehaviour(orv::host::validator::FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer("{\"report\":\"no tool is switched on, left as it was\"}\n");
    if (!companion.Start())
    {
        state.SkipWithError("port 51121 is taken");
        return;
    }
    orv::host::ReferenceHost host;
    auto* processor = new DemoDelay_HostProcessor;
    ACFPtr<AAX_IACFHostProcessor> hostFacing(processor);
    hostFacing->Initialize(host.Context());

    const std::vector<float> input = Window();
    std::vector<float> output(kWindow);
    const float* const ins[1] = {input.data()};
    float* const outs[1] = {output.data()};
    for (auto _ : state)
    {
        int64 start = 0;
        int64 end = 0;
        hostFacing->InitOutputBounds(0, kSamples, &start, &end);
        hostFacing->PreAnalyze(1, kWindow);
        for (int64 done = 0; done < kSamples; done += kWindow)
        {
            int32 count = kWindow;
            hostFacing->AnalyzeAudio(ins, 1, &count);
        }
        hostFacing->PostAnalyze();
        hostFacing->PreRender(1, 1, kWindow);
        for (int64 done = 0; done < kSamples; done += kWindow)
        {
            int32 count = kWindow;
            hostFacing->RenderAudio(ins, 1, outs, 1, &count);
        }
        hostFacing->PostRender();
        benchmark::DoNotOptimize(output.data());
    }
    if (processor->StatusCode() != 5) state.SkipWithError("the round trip failed");
    hostFacing->Uninitialize();
    state.SetBytesProcessed(state.iterations() * kSamples * 4 * 2);
}

void PlainStreams(benchmark::State& state)
{
    orv::test::TempFolder folder;
    const std::string path = folder / "plain.wav";
    const std::vector<float> input = Window();
    std::vector<float> output(kWindow);
    char header[44] = {};
    for (auto _ : state)
    {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(header, sizeof header);
            for (int64 done = 0; done < kSamples; done += kWindow)
                out.write(reinterpret_cast<const char*>(input.data()), kWindow * 4);
            const uint32_t size = static_cast<uint32_t>(kSamples * 4);
            out.seekp(4);
            out.write(reinterpret_cast<const char*>(&size), 4);
            out.seekp(40);
            out.write(reinterpret_cast<const char*>(&size), 4);
        }
        {
            std::ifstream in(path, std::ios::binary);
            in.read(header, sizeof header);
            for (int64 done = 0; done < kSamples; done += kWindow)
                in.read(reinterpret_cast<char*>(output.data()), kWindow * 4);
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(state.iterations() * kSamples * 4 * 2);
}

void MebibyteBlocks(benchmark::State& state)
{
    orv::test::TempFolder folder;
    const std::string path = folder / "blocks.wav";
    constexpr size_t kBlock = 1 << 20;
    const size_t total = 44 + static_cast<size_t>(kSamples) * 4;
    std::vector<char> block(kBlock, 1);
    for (auto _ : state)
    {
        const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        for (size_t done = 0; done < total; done += kBlock)
            if (::write(out, block.data(), std::min(kBlock, total - done)) < 0) break;
        ::close(out);
        const int in = ::open(path.c_str(), O_RDONLY);
        while (::read(in, block.data(), kBlock) > 0)
        {
        }
        ::close(in);
        benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(state.iterations() * kSamples * 4 * 2);
}

BENCHMARK(ProcessorRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(PlainStreams)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(MebibyteBlocks)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
