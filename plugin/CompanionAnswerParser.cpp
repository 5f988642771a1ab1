#include "CompanionAnswerParser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "CompanionProtocol.h"

namespace CompanionAnswerParser
{
namespace
{

using namespace CompanionProtocol::ParametersAnswerFormat;

// Lists are found by their first element, so an empty list reads as none.
const std::string kToolsKey = std::string(kToolsOpen) + '"';
const std::string kPresetsKey = std::string(kPresetsOpen) + '[';
constexpr const char* kNameSeparator = "\",\"";
constexpr const char* kGroupSeparator = "],[";
constexpr const char* kToolsEnd = "\"]";
constexpr const char* kPresetsEnd = "]]";
constexpr size_t kWorkingCopyBytes = CompanionProtocol::kMaxParametersAnswerBytes;

// The bytes after key (at most the working copy's size); false when key is absent.
bool TextAfter(const std::string& answer, const std::string& key, std::string& outText)
{
    const size_t at = answer.find(key);
    if (at == std::string::npos) return false;
    outText = answer.substr(at + key.size(), kWorkingCopyBytes);
    return true;
}

// text up to the first occurrence of end, or all of it.
std::string UpTo(const std::string& text, const std::string& end)
{
    return text.substr(0, text.find(end));
}

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start))
    {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string Bounded(const std::string& text, size_t maxLength)
{
    return text.substr(0, maxLength);
}

void ParseVersion(const std::string& answer, CompanionInfo& info)
{
    std::string text;
    if (!TextAfter(answer, kVersionOpen, text)) return;
    info.version = Bounded(UpTo(text, "\""), CompanionInfo::kMaxVersionLength);
}

void ParseTools(const std::string& answer, CompanionInfo& info)
{
    std::string text;
    if (!TextAfter(answer, kToolsKey, text)) return;
    for (const std::string& name : Split(UpTo(text, kToolsEnd), kNameSeparator))
    {
        if (info.toolCount == CompanionProtocol::kMaxTools) break;
        ++info.toolCount;
        info.toolNames[info.toolCount] = Bounded(name, CompanionInfo::kMaxNameLength);
    }
}

void ParsePresetGroup(const std::string& group, int32 tool, CompanionInfo& info)
{
    const size_t quote = group.find('"');
    if (quote == std::string::npos) return;
    std::vector<std::string> names = Split(group.substr(quote + 1), kNameSeparator);
    names.back() = UpTo(names.back(), "\"");
    for (const std::string& name : names)
    {
        if (info.presetCounts[tool] == CompanionInfo::kMaxPresets) break;
        ++info.presetCounts[tool];
        info.presetNames[tool][info.presetCounts[tool]] =
            Bounded(name, CompanionInfo::kMaxNameLength);
    }
}

void ParsePresets(const std::string& answer, CompanionInfo& info)
{
    std::string text;
    if (!TextAfter(answer, kPresetsKey, text)) return;
    const std::vector<std::string> groups = Split(UpTo(text, kPresetsEnd), kGroupSeparator);
    info.presetGroupCount = static_cast<int32>(groups.size());
    const size_t usable = std::min(groups.size(), static_cast<size_t>(info.toolCount));
    for (size_t i = 0; i < usable; ++i)
        ParsePresetGroup(groups[i], static_cast<int32>(i + 1), info);
}

void ParseRangeMax(const std::string& answer, float halfSampleRate, CompanionInfo& info)
{
    float rangeMax = std::min(halfSampleRate, CompanionInfo::kDefaultRangeMax);
    std::string text;
    if (TextAfter(answer, kRangeMaxOpen, text))
    {
        const std::string number = UpTo(text, "}");
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        // A negative frequency means nothing; it is taken as 0.
        if (end != number.c_str() && std::isfinite(value))
            rangeMax =
                value < halfSampleRate ? static_cast<float>(std::max(value, 0.0)) : halfSampleRate;
    }
    info.rangeMax = rangeMax;
}

} // namespace

void Parse(const std::string& answer, float halfSampleRate, CompanionInfo& info)
{
    const std::string bounded = answer.substr(0, CompanionProtocol::kMaxParametersAnswerBytes);
    ParseVersion(bounded, info);
    ParseTools(bounded, info);
    ParsePresets(bounded, info);
    ParseRangeMax(bounded, halfSampleRate, info);
}

} // namespace CompanionAnswerParser
