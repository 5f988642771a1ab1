#pragma once

#include <array>
#include <string>

#include "AAX.h"
#include "CompanionProtocol.h"
#include "ParameterIDs.h"

// The editor's record of the companion's answer to "parameters": its version, its tools
// with their preset names, and the highest frequency it offers. Tools and presets are
// numbered from 1, as the editor's menus show them; entry 0 stays empty. Every text and
// count is bounded by the limits below, whatever the companion sends.
struct CompanionInfo
{
    static constexpr int32 kMaxPresets = 99;
    static constexpr size_t kMaxVersionLength = 19;
    static constexpr size_t kMaxNameLength = 99;
    static constexpr float kDefaultRangeMax = static_cast<float>(CompanionProtocol::kRangeMaxHz);

    // Status codes of the exchange (infoStatus).
    static constexpr int32 kInfoOK = 30;
    static constexpr int32 kInfoSocketFailed = 31;
    static constexpr int32 kInfoResolveFailed = 32;
    static constexpr int32 kInfoConnectFailed = 35;
    static constexpr int32 kInfoSendFailed = 36;
    static constexpr int32 kInfoReceiveFailed = 38;
    // A peer holds the port but answered nothing whole within the exchange's limit, or
    // answered without the four keys: launching the companion would not help there.
    static constexpr int32 kInfoNoAnswer = 41;
    static constexpr int32 kInfoUnreadable = 42;
    static constexpr int32 kInfoForeignListener = 43; // another user's program holds the port

    int32 infoStatus = kInfoOK;
    bool linkOK = false;
    bool replyReceived = false;
    std::string version;
    int32 toolCount = 0;
    std::array<std::string, CompanionProtocol::kMaxTools + 1> toolNames;
    int32 presetGroupCount = 0;
    std::array<int32, CompanionProtocol::kMaxTools + 1> presetCounts{};
    std::array<std::array<std::string, kMaxPresets + 1>, CompanionProtocol::kMaxTools + 1>
        presetNames;
    float rangeMax = kDefaultRangeMax;
};
