#include "ToolCatalog.h"

namespace companion
{

const std::vector<ToolEntry>& ToolCatalog::tools()
{
    // Names and presets are short: the whole "parameters" answer must stay within
    // CompanionProtocol::kMaxParametersAnswerBytes.
    static const std::vector<ToolEntry> entries = {
        {ToolKind::Gain, "Gain", {"-12 dB", "-6 dB", "-3 dB", "+3 dB", "+6 dB"}, true},
        {ToolKind::Normalize,
         "Normalize",
         {"Peak -1 dBFS", "Peak -0.1 dBFS", "-23 LUFS", "-16 LUFS", "-14 LUFS"},
         false},
        {ToolKind::Denoise, "Denoise", {"Light", "Medium", "Strong"}, true},
        {ToolKind::Dehum, "De-hum", {"50 Hz", "60 Hz", "Auto"}, true},
        {ToolKind::Band, "Band", {"Keep band", "Remove band"}, true},
        {ToolKind::Declick, "De-click", {"Light", "Medium", "Strong"}, false},
        {ToolKind::Declip, "De-clip", {"Auto"}, false},
    };
    return entries;
}

const ToolEntry* ToolCatalog::find(size_t index)
{
    const auto& entries = tools();
    return index < entries.size() ? &entries[index] : nullptr;
}

} // namespace companion
