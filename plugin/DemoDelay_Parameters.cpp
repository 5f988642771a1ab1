#include "DemoDelay_Parameters.h"

#include <cstring>
#include <memory>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacketHandler.h"
#include "AAX_CParameter.h"
#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "DemoDelay_ParameterIDs.h"

namespace
{
constexpr uint32 kBypassSteps = 2;
constexpr uint32 kToolSteps = 1000;
constexpr float kToolOneDefault = 1.0f;
// The field index of the first tool switch; the rest follow in table order.
constexpr AAX_CFieldIndex kFirstPacketField = 1;

// The parameters made after the tools, in order.
struct ControlDefinition
{
    const char* identifier;
    const char* name;
    float defaultValue;
    uint32 steps;
};
constexpr ControlDefinition kControls[] = {
    {kRangeParameterID, "chkfr", 0.0f, 2},
    {kMinFrequencyParameterID, "MinFrq", 0.0f, 100},
    {kMaxFrequencyParameterID, "MaxFrq", 0.5f, 100},
    {kNumToolsParameterID, "NTools", 0.0f, 20},
    {kCommParameterID, "Comm", 0.0f, 100},
};

std::unique_ptr<AAX_IParameter> MakeUnitParameter(const char* identifier, const char* name,
                                                  float defaultValue, uint32 steps)
{
    auto parameter = std::make_unique<AAX_CParameter<float>>(
        identifier, AAX_CString(name), defaultValue, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
        AAX_CNumberDisplayDelegate<float, 2, 0>(), true);
    parameter->SetNumberOfSteps(steps);
    return parameter;
}
} // namespace

DemoDelay_Parameters::DemoDelay_Parameters()
{
    std::memset(mMessage, 0, sizeof mMessage);
    std::memcpy(mMessage, kInitialMessage, strnlen(kInitialMessage, sizeof mMessage - 1));
}

AAX_CEffectParameters* DemoDelay_Parameters::Create()
{
    return AAX_MakeOwned<DemoDelay_Parameters>().release();
}

// Runs inside Initialize, which catches what the allocations below may throw; each new
// parameter is held until the manager has taken it over.
AAX_Result DemoDelay_Parameters::EffectInit()
{
    auto bypass = std::make_unique<AAX_CParameter<bool>>(
        kBypassParameterID, AAX_CString("Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
        AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
    bypass->SetNumberOfSteps(kBypassSteps);
    bypass->SetType(AAX_eParameterType_Discrete);
    mParameterManager.AddParameter(bypass.release());

    for (const char* identifier : kToolParameterIDs)
        mParameterManager.AddParameter(
            MakeUnitParameter(identifier, identifier, 0.0f, kToolSteps).release());
    if (AAX_IParameter* toolOne = mParameterManager.GetParameterByID(ToolSwitchID(0)))
        toolOne->SetNormalizedDefaultValue(kToolOneDefault);

    for (const ControlDefinition& control : kControls)
        mParameterManager.AddParameter(
            MakeUnitParameter(control.identifier, control.name, control.defaultValue, control.steps)
                .release());

    const AAX_CPacketHandler<AAX_CPacketDispatcher> handler(
        &mPacketDispatcher, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    AAX_CFieldIndex field = kFirstPacketField;
    for (const char* identifier : kToolParameterIDs)
        mPacketDispatcher.RegisterPacket(identifier, field++, &handler);
    for (const ControlDefinition& control : kControls)
        mPacketDispatcher.RegisterPacket(control.identifier, field++, &handler);
    return kResultSuccess;
}

AAX_Result DemoDelay_Parameters::GetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize,
                                               void* outData, uint32* outDataSize) const
{
    if (dataBlockID != kMessageDataID) return kResultUnknownCustomData;
    const uint32 needed = static_cast<uint32>(std::strlen(mMessage)) + 1;
    if (outDataSize) *outDataSize = needed;
    if (!outData) return kResultNullArgument;
    // Never write past the caller's buffer: a message that does not fit is not copied.
    if (dataSize < needed) return kResultBadChunkSize;
    std::memcpy(outData, mMessage, needed);
    return kResultSuccess;
}

AAX_Result DemoDelay_Parameters::SetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize,
                                               const void* data)
{
    if (dataBlockID != kMessageDataID) return kResultUnknownCustomData;
    if (!data && dataSize > 0) return kResultNullArgument;
    // Keep the last byte for the terminator, whatever the block holds.
    const uint32 copied = dataSize < kMessageSize - 1 ? dataSize : kMessageSize - 1;
    if (copied > 0) std::memcpy(mMessage, data, copied);
    mMessage[copied] = '\0';
    return kResultSuccess;
}
