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
    // A line that starts with the prefix, the whole prefix within the examined bytes.
    const std::string examined = answer.substr(0, CompanionFailureAnswer::kExaminedBytes);
    const auto hasLine = [&examined](const std::string& prefix)
    { return examined.rfind(prefix, 0) == 0 || examined.find('\n' + prefix) != std::string::npos; };
    const auto printable = [](const std::string& text)
    {
        return text.size() <= CompanionFailureAnswer::kExaminedBytes &&
               std::none_of(text.begin(), text.end(),
                            [](char c)
                            { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    };
    const bool failure = CompanionFailureAnswer::IsFailure(answer);
    const bool report = CompanionFailureAnswer::IsReport(answer);
    const std::string reason = CompanionFailureAnswer::Reason(answer);
    const std::string text = CompanionFailureAnswer::Report(answer);
    return failure == hasLine("{\"error\":") && report == hasLine("{\"report\":") &&
           (failure || reason.empty()) && (report || text.empty()) && printable(reason) &&
           printable(text);
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
