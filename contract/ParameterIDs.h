#pragma once

#include <cstdint>

// The identifiers of the effect's parameters, as the plug-in declares them and hosts, the
// command line and the validator address them. Values cross only as normalized values.

// Tools the companion can offer, each with a switch ("Par<i>") and a preset ("Men<i>").
constexpr std::int32_t kNumTools = 20;
constexpr std::int32_t kToolParameterIDWidth = 8;
// Switches "Par1" to "Par20", then presets "Men1" to "Men20", walked by index.
inline constexpr char kToolParameterIDs[2 * kNumTools][kToolParameterIDWidth] = {
    "Par1",  "Par2",  "Par3",  "Par4",  "Par5",  "Par6",  "Par7",  "Par8",  "Par9",  "Par10",
    "Par11", "Par12", "Par13", "Par14", "Par15", "Par16", "Par17", "Par18", "Par19", "Par20",
    "Men1",  "Men2",  "Men3",  "Men4",  "Men5",  "Men6",  "Men7",  "Men8",  "Men9",  "Men10",
    "Men11", "Men12", "Men13", "Men14", "Men15", "Men16", "Men17", "Men18", "Men19", "Men20"};

// The switch of tool i (0-based).
inline const char* ToolSwitchID(std::int32_t tool)
{
    return kToolParameterIDs[tool];
}
// The preset of tool i (0-based).
inline const char* ToolPresetID(std::int32_t tool)
{
    return kToolParameterIDs[kNumTools + tool];
}

inline constexpr const char* kBypassParameterID = "MasterBypassID";
// 0.5 or more: the request uses the minfr/maxfr range.
inline constexpr const char* kRangeParameterID = "chkfr";
// Frequency limits as a fraction of kFrequencyScale hertz.
inline constexpr const char* kMinFrequencyParameterID = "minfr";
inline constexpr const char* kMaxFrequencyParameterID = "maxfr";
constexpr double kFrequencyScale = 192000.0;
// Number of tools the companion offers, as count / 100 (see kCountScale).
inline constexpr const char* kNumToolsParameterID = "NTools";
// Status of the companion exchange, as code / 100 (see OfflineStatus.h).
inline constexpr const char* kCommParameterID = "Comm";
// Counts, preset numbers and status codes travel as k / kCountScale.
constexpr double kCountScale = 100.0;
