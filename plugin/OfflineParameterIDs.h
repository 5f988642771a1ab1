#pragma once

#include "DemoDelay_ParameterIDs.h"

// The parameters the offline processor and the editor's companion link read and write
// through the host, by identifier: the names of the effect's parameter set, in the form
// these units use them.
namespace OfflineParameterIDs
{

constexpr AAX_CParamID kComm = kCommParameterID;
constexpr AAX_CParamID kToolCount = kNumToolsParameterID;
constexpr AAX_CParamID kRangeCheck = kRangeParameterID;
constexpr AAX_CParamID kRangeMin = kMinFrequencyParameterID;
constexpr AAX_CParamID kRangeMax = kMaxFrequencyParameterID;
// Tool i (1 to 20) is switched by kToolSwitch[i - 1] and its preset chosen by kToolPreset[i - 1].
constexpr const char (*kToolSwitch)[kToolParameterIDWidth] = kToolParameterIDs;
constexpr const char (*kToolPreset)[kToolParameterIDWidth] = kToolParameterIDs + kNumTools;

} // namespace OfflineParameterIDs
