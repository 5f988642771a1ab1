// Arbitrary answers to "parameters": whatever arrives, the record stays within its bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CompanionAnswerParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CompanionInfo info;
    info = CompanionInfo();
    CompanionAnswerParser::Parse(std::string(reinterpret_cast<const char*>(data), size), 24000.0f,
                                 info);
    bool bounded = info.version.size() <= CompanionInfo::kMaxVersionLength && info.toolCount >= 0 &&
                   info.toolCount <= CompanionInfo::kMaxTools && info.rangeMax >= 0.0f &&
                   info.rangeMax <= 24000.0f;
    for (int32 tool = 1; tool <= info.toolCount; ++tool)
    {
        bounded = bounded && info.toolNames[tool].size() <= CompanionInfo::kMaxNameLength &&
                  info.presetCounts[tool] >= 0 &&
                  info.presetCounts[tool] <= CompanionInfo::kMaxPresets;
        for (int32 preset = 1; preset <= info.presetCounts[tool]; ++preset)
            bounded =
                bounded && info.presetNames[tool][preset].size() <= CompanionInfo::kMaxNameLength;
    }
    if (!bounded) __builtin_trap();
    return 0;
}
