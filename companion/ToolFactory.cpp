#include "ToolFactory.h"

#include "BandTool.h"
#include "DeclickTool.h"
#include "DeclipTool.h"
#include "DehumTool.h"
#include "DenoiseTool.h"
#include "GainTool.h"
#include "NormalizeTool.h"
#include "ToolCatalog.h"

#include <algorithm>

namespace companion
{

namespace
{
std::unique_ptr<Tool> makeTool(ToolKind kind, int preset, const FrequencyRange& range)
{
    switch (kind)
    {
    case ToolKind::Gain:
        return std::make_unique<GainTool>(GainTool::presetDb(preset), range);
    case ToolKind::Normalize:
        return NormalizeTool::makePreset(preset, range.sampleRate);
    case ToolKind::Denoise:
        return std::make_unique<DenoiseTool>(DenoiseTool::presetStrength(preset), range);
    case ToolKind::Dehum:
        return std::make_unique<DehumTool>(DehumTool::presetHz(preset), range);
    case ToolKind::Band:
        return std::make_unique<BandTool>(BandTool::presetMode(preset), range);
    case ToolKind::Declick:
        return std::make_unique<DeclickTool>(DeclickTool::presetThreshold(preset),
                                             range.sampleRate);
    case ToolKind::Declip:
        return std::make_unique<DeclipTool>(range.sampleRate);
    }
    return nullptr;
}
} // namespace

FrequencyRange ToolFactory::rangeFor(const Request& request, double sampleRate)
{
    FrequencyRange range;
    range.sampleRate = sampleRate;
    range.low = std::max(0, request.rangeLow);
    range.high = std::min<double>(request.rangeHigh, range.nyquist());
    return range;
}

ToolFactory::Plan ToolFactory::validate(const Request& request, double sampleRate)
{
    Plan plan;
    const FrequencyRange range = rangeFor(request, sampleRate);
    bool usesRange = false;
    for (size_t i = 0; i < request.tools.size(); ++i)
    {
        if (!request.tools[i]) continue;
        const ToolEntry* entry = ToolCatalog::find(i);
        if (!entry)
        {
            plan.error = "tool " + std::to_string(i + 1) + " is switched on but does not exist";
            return plan;
        }
        const int preset = request.presets[i];
        if (preset < 0 || static_cast<size_t>(preset) >= entry->presets.size())
        {
            plan.error = entry->name + " has no preset " + std::to_string(preset);
            return plan;
        }
        if (!plan.summary.empty()) plan.summary += ", ";
        plan.summary += entry->name + ' ' + entry->presets[preset];
        usesRange = usesRange || entry->usesRange;
    }
    if (usesRange)
    {
        if (range.low >= range.high)
        {
            plan.error = "empty frequency range " + std::to_string(request.rangeLow) + '-' +
                         std::to_string(request.rangeHigh) + " Hz";
            return plan;
        }
        plan.summary += ", " + std::to_string(static_cast<long>(range.low)) + '-' +
                        std::to_string(static_cast<long>(range.high)) + " Hz";
    }
    if (plan.summary.empty()) plan.summary = "no tool on";
    plan.ok = true;
    return plan;
}

ToolFactory::Plan ToolFactory::build(const Request& request, double sampleRate)
{
    Plan plan = validate(request, sampleRate);
    if (!plan.ok) return plan;
    const FrequencyRange range = rangeFor(request, sampleRate);
    // Repairs of single samples come first: De-clip needs the clipping as it was made, and
    // De-click's AR model wants the waveform whole. De-hum then runs before Denoise: a hum
    // line is not noise for Denoise to track, and what it leaves is cleaner to measure. A
    // loudness or peak target holds only if nothing changes the level after it, so
    // Normalize runs after every other tool; the rest keep their order.
    auto rank = [](ToolKind kind)
    {
        switch (kind)
        {
        case ToolKind::Declip: return 0;
        case ToolKind::Declick: return 1;
        case ToolKind::Dehum: return 2;
        case ToolKind::Normalize: return 4;
        default: return 3;
        }
    };
    for (int pass = 0; pass < 5; ++pass)
    {
        for (size_t i = 0; i < request.tools.size(); ++i)
        {
            if (!request.tools[i]) continue;
            const ToolEntry& entry = *ToolCatalog::find(i);
            if (rank(entry.kind) != pass) continue;
            plan.tools.push_back(makeTool(entry.kind, request.presets[i], range));
            plan.labels.push_back(entry.name + ' ' + entry.presets[request.presets[i]]);
        }
    }
    return plan;
}

} // namespace companion
