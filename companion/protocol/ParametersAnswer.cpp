#include "ParametersAnswer.h"

#include "CompanionConstants.h"
#include "CompanionProtocol.h"
#include "ToolCatalog.h"

namespace companion
{

namespace
{
std::string quotedList(const std::vector<std::string>& names)
{
    std::string text;
    for (const auto& name : names)
    {
        if (!text.empty()) text += ',';
        text += '"' + name + '"';
    }
    return text;
}
} // namespace

std::string ParametersAnswer::build()
{
    std::vector<std::string> names;
    std::string presets;
    for (const auto& tool : ToolCatalog::tools())
    {
        names.push_back(tool.name);
        if (!presets.empty()) presets += ',';
        presets += '[' + quotedList(tool.presets) + ']';
    }
    using namespace CompanionProtocol::ParametersAnswerFormat;
    return std::string("{") + kVersionOpen + kCompanionVersion + "\"," + kToolsOpen +
           quotedList(names) + "]," + kPresetsOpen + presets + "]," + kRangeMaxOpen +
           std::to_string(CompanionProtocol::kRangeMaxHz) + "}";
}

} // namespace companion
