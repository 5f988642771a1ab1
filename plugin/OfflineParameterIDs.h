#pragma once

#include "DemoDelay_ParameterIDs.h"

// The parameters the offline processor and the editor's companion link read and write
// through the host, by identifier: the names of the effect's parameter set, in the form
// these units use them.
namespace OfflineParameterIDs
{

constexpr int32 kMaxTools = kNumTools;
constexpr AAX_CParamID kComm = kCommParameterID;
constexpr AAX_CParamID kToolCount = kNumToolsParameterID;
constexpr AAX_CParamID kRangeCheck = kRangeParameterID;
constexpr AAX_CParamID kRangeMin = kMinFrequencyParameterID;
constexpr AAX_CParamID kRangeMax = kMaxFrequencyParameterID;
// Tool i (1 to 20) is switched by kToolSwitch[i - 1] and its preset chosen by kToolPreset[i - 1].
constexpr AAX_CParamID kToolSwitch[kMaxTools] = {
    kToolParameterIDs[0],  kToolParameterIDs[1],  kToolParameterIDs[2],  kToolParameterIDs[3],
    kToolParameterIDs[4],  kToolParameterIDs[5],  kToolParameterIDs[6],  kToolParameterIDs[7],
    kToolParameterIDs[8],  kToolParameterIDs[9],  kToolParameterIDs[10], kToolParameterIDs[11],
    kToolParameterIDs[12], kToolParameterIDs[13], kToolParameterIDs[14], kToolParameterIDs[15],
    kToolParameterIDs[16], kToolParameterIDs[17], kToolParameterIDs[18], kToolParameterIDs[19]};
constexpr AAX_CParamID kToolPreset[kMaxTools] = {
    kToolParameterIDs[20], kToolParameterIDs[21], kToolParameterIDs[22], kToolParameterIDs[23],
    kToolParameterIDs[24], kToolParameterIDs[25], kToolParameterIDs[26], kToolParameterIDs[27],
    kToolParameterIDs[28], kToolParameterIDs[29], kToolParameterIDs[30], kToolParameterIDs[31],
    kToolParameterIDs[32], kToolParameterIDs[33], kToolParameterIDs[34], kToolParameterIDs[35],
    kToolParameterIDs[36], kToolParameterIDs[37], kToolParameterIDs[38], kToolParameterIDs[39]};

} // namespace OfflineParameterIDs
