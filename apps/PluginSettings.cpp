#include "PluginSettings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "AAX_Errors.h"
#include "ParameterIDs.h"

namespace orv::apps
{

namespace
{

// A whole decimal number in [low, high], nothing else.
bool ParseInteger(const std::string& text, long low, long high, long* outValue)
{
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < low || value > high) return false;
    *outValue = value;
    return true;
}

bool ParseNumber(const std::string& text, double* outValue)
{
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) return false;
    *outValue = value;
    return true;
}

} // namespace

bool PluginSettings::AddTool(const std::string& argument, std::string* outError)
{
    const size_t colon = argument.find(':');
    long tool = 0;
    long preset = 0;
    if (!ParseInteger(argument.substr(0, colon), 1, kNumTools, &tool) ||
        (colon != std::string::npos &&
         !ParseInteger(argument.substr(colon + 1), 0, kMaxPreset, &preset)))
    {
        if (outError)
            *outError =
                "--tool " + argument + ": expected N[:PRESET] with N 1 to 20, PRESET 0 to 99";
        return false;
    }
    mTools.push_back({ToolSwitchID(static_cast<int32>(tool - 1)), 1.0});
    mTools.push_back({ToolPresetID(static_cast<int32>(tool - 1)), preset / kCountScale});
    if (tool > mHighestTool) mHighestTool = static_cast<int>(tool);
    return true;
}

bool PluginSettings::SetRange(const std::string& argument, std::string* outError)
{
    const size_t dash = argument.find('-');
    long low = 0;
    long high = 0;
    const long top = static_cast<long>(kFrequencyScale);
    if (dash == std::string::npos || !ParseInteger(argument.substr(0, dash), 0, top, &low) ||
        !ParseInteger(argument.substr(dash + 1), 0, top, &high) || low >= high)
    {
        if (outError)
            *outError =
                "--range " + argument + ": expected LOW-HIGH in Hz, 0 <= LOW < HIGH <= 192000";
        return false;
    }
    mRange = {{kRangeParameterID, 1.0},
              {kMinFrequencyParameterID, low / kFrequencyScale},
              {kMaxFrequencyParameterID, high / kFrequencyScale}};
    return true;
}

bool PluginSettings::AddSet(const std::string& argument, std::string* outError)
{
    const size_t equals = argument.find('=');
    double value = 0.0;
    if (equals == std::string::npos || equals == 0 ||
        !ParseNumber(argument.substr(equals + 1), &value) || value < 0.0 || value > 1.0)
    {
        if (outError) *outError = "--set " + argument + ": expected ID=VALUE with VALUE 0 to 1";
        return false;
    }
    mSets.push_back({argument.substr(0, equals), value});
    return true;
}

std::vector<PluginSettings::Setting> PluginSettings::Settings() const
{
    std::vector<Setting> settings = mSets;
    settings.insert(settings.end(), mTools.begin(), mTools.end());
    if (mHighestTool > 0) settings.push_back({kNumToolsParameterID, mHighestTool / kCountScale});
    settings.insert(settings.end(), mRange.begin(), mRange.end());
    return settings;
}

bool PluginSettings::Apply(AAX_IACFEffectParameters& parameters, const std::function<void()>& pump,
                           std::string* outError) const
{
    const std::vector<Setting> settings = Settings();
    for (const Setting& setting : settings)
    {
        int32 index = -1;
        if (parameters.GetParameterIndex(setting.identifier.c_str(), &index) != kResultSuccess)
        {
            if (outError) *outError = "the plug-in has no parameter " + setting.identifier;
            return false;
        }
    }
    for (const Setting& setting : settings)
        parameters.SetParameterNormalizedValue(setting.identifier.c_str(), setting.value);
    if (pump) pump();
    return true;
}

} // namespace orv::apps
