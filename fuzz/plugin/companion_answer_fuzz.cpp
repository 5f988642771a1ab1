// Arbitrary answers to "parameters" and to "process": whatever arrives, the editor's record
// stays within its bounds, and a failure's reason is short, printable and only ever taken
// from an answer that starts as the failure line does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "CompanionAnswerParser.h"
#include "CompanionFailureAnswer.h"

namespace
{

bool FailureExaminationBounded(const std::string& answer)
{
    const bool failure = CompanionFailureAnswer::IsFailure(answer);
    const bool startsAsFailure =
        answer.size() >= 9 && std::memcmp(answer.data(), "{\"error\":", 9) == 0;
    const std::string reason = CompanionFailureAnswer::Reason(answer);
    const bool printable =
        std::none_of(reason.begin(), reason.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return failure == startsAsFailure && (failure || reason.empty()) &&
           reason.size() <= CompanionFailureAnswer::kExaminedBytes && printable;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string answer(reinterpret_cast<const char*>(data), size);
    if (!FailureExaminationBounded(answer)) __builtin_trap();

    static CompanionInfo info;
    info = CompanionInfo();
    CompanionAnswerParser::Parse(answer, 24000.0f, info);
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
