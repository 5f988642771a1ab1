#pragma once

#include "AAX.h"

// The parameters the offline processor reads and writes through the host, by identifier.
namespace OfflineParameterIDs
{

constexpr int32 kMaxTools = 20;
constexpr AAX_CParamID kComm = "Comm";
constexpr AAX_CParamID kToolCount = "NTools";
constexpr AAX_CParamID kRangeCheck = "chkfr";
constexpr AAX_CParamID kRangeMin = "minfr";
constexpr AAX_CParamID kRangeMax = "maxfr";
// Tool i (1 to 20) is switched by kToolSwitch[i - 1] and its preset chosen by kToolPreset[i - 1].
constexpr AAX_CParamID kToolSwitch[kMaxTools] = {
    "Par1",  "Par2",  "Par3",  "Par4",  "Par5",  "Par6",  "Par7",  "Par8",  "Par9",  "Par10",
    "Par11", "Par12", "Par13", "Par14", "Par15", "Par16", "Par17", "Par18", "Par19", "Par20"};
constexpr AAX_CParamID kToolPreset[kMaxTools] = {
    "Men1",  "Men2",  "Men3",  "Men4",  "Men5",  "Men6",  "Men7",  "Men8",  "Men9",  "Men10",
    "Men11", "Men12", "Men13", "Men14", "Men15", "Men16", "Men17", "Men18", "Men19", "Men20"};
// Frequencies travel as Hz / 192000.
constexpr double kFrequencyScale = 192000.0;

} // namespace OfflineParameterIDs
