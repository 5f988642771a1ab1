#include "OfflinePassPlan.h"

#include <algorithm>

namespace orv::host::validator
{
namespace
{

// Longest drawn selection besides the million-sample ones, and how often (1 in n) a drawn
// pass takes a million samples: enough to cross many windows without making the check slow.
constexpr int64 kLongestDrawnLength = 100000;
constexpr int kMillionOneIn = 8;

template <typename T> const T& Pick(const std::vector<T>& values, std::mt19937_64& random)
{
    return values[std::uniform_int_distribution<size_t>(0, values.size() - 1)(random)];
}

OfflinePass::Companion CompanionAt(size_t index)
{
    return static_cast<OfflinePass::Companion>(index % OfflinePass::kCompanionKinds);
}

} // namespace

const std::vector<int32>& OfflinePassPlan::WindowSizes()
{
    static const std::vector<int32> sizes = {1, 17, 64, 1024, 2027, 16384};
    return sizes;
}

const std::vector<int32>& OfflinePassPlan::SampleRates()
{
    // The usual rates and an odd one no device runs at.
    static const std::vector<int32> rates = {8000,  11025, 12345, 16000, 22050,  32000,
                                             44100, 48000, 88200, 96000, 176400, 192000};
    return rates;
}

const std::vector<int64>& OfflinePassPlan::Lengths()
{
    static const std::vector<int64> lengths = {0, 1, 1000000};
    return lengths;
}

std::vector<OfflinePass> OfflinePassPlan::Make(std::mt19937_64& random, std::int64_t extraPasses)
{
    std::vector<int32> windows = WindowSizes();
    std::vector<int32> rates = SampleRates();
    std::vector<int64> lengths = Lengths();
    std::vector<size_t> companions(OfflinePass::kCompanionKinds);
    for (size_t i = 0; i < companions.size(); ++i)
        companions[i] = i;
    std::shuffle(windows.begin(), windows.end(), random);
    std::shuffle(rates.begin(), rates.end(), random);
    std::shuffle(lengths.begin(), lengths.end(), random);
    std::shuffle(companions.begin(), companions.end(), random);

    const size_t covering =
        std::max({windows.size(), rates.size(), lengths.size(), companions.size()});
    std::vector<OfflinePass> passes;
    for (size_t i = 0; i < covering; ++i)
    {
        OfflinePass pass;
        pass.window = windows[i % windows.size()];
        pass.sampleRate = rates[i % rates.size()];
        pass.length = lengths[i % lengths.size()];
        pass.companion = CompanionAt(companions[i % companions.size()]);
        pass.channels = 1 + static_cast<int32>(i % 2);
        passes.push_back(pass);
    }
    for (std::int64_t i = 0; i < extraPasses; ++i)
    {
        OfflinePass pass;
        pass.window = Pick(WindowSizes(), random);
        pass.sampleRate = Pick(SampleRates(), random);
        if (std::uniform_int_distribution<int>(0, kMillionOneIn - 1)(random) == 0)
            pass.length = Lengths().back();
        else
            pass.length = std::uniform_int_distribution<int64>(0, kLongestDrawnLength)(random);
        pass.companion = CompanionAt(
            std::uniform_int_distribution<size_t>(0, OfflinePass::kCompanionKinds - 1)(random));
        pass.channels = std::uniform_int_distribution<int32>(1, 2)(random);
        passes.push_back(pass);
    }
    return passes;
}

} // namespace orv::host::validator
