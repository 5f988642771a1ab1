#include "AAX_CEffectParameters.h"

#include <cstring>
#include <functional>
#include <string>

#include "AAX_CHostServices.h"
#include "AAX_CParameterChunkCodec.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "AAX_IParameter.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"

namespace
{
// Longest shortened name considered by GetParameterNameOfLength.
constexpr uint32 kMaxNameCandidateLength = 255;

double ClampNormalized(double value)
{
    if (value > 1.0) return 1.0;
    return value > 0.0 ? value : 0.0;
}

// Names with line feeds hold several candidates: the longest that fits the limit, the first
// of equal length. Without a line feed the name is its only candidate.
std::string PickNameCandidate(const std::string& name, int32 maxLength)
{
    if (name.find('\n') == std::string::npos) return name;
    std::string best;
    bool found = false;
    size_t start = 0;
    while (start <= name.size())
    {
        size_t end = name.find('\n', start);
        if (end == std::string::npos) end = name.size();
        const std::string candidate = name.substr(start, end - start);
        const bool fits = maxLength >= 0 && candidate.size() <= static_cast<size_t>(maxLength);
        if (fits && (!found || candidate.size() > best.size()))
        {
            best = candidate;
            found = true;
        }
        start = end + 1;
    }
    return found ? best : name.substr(0, name.find('\n'));
}

// The one lookup behind every operation on a parameter named by the host: an unknown
// identifier gives kResultInvalidParameterId, a known one goes to use. Guarded, as use may
// allocate (texts, names).
template <typename Manager, typename Use>
AAX_Result WithParameter(Manager& manager, AAX_CParamID identifier, const char* operation,
                         Use&& use) noexcept
{
    return AAX_GuardHostCall(operation,
                             [&]() -> AAX_Result
                             {
                                 auto* parameter = manager.GetParameterByID(identifier);
                                 if (!parameter) return kResultInvalidParameterId;
                                 return use(*parameter);
                             });
}

// The one shape of a getter about a parameter named by the host: a null out pointer is refused
// before the lookup; read answers from the parameter and writes *out itself, so that a getter
// that fails leaves *out as it was.
template <typename Manager, typename Out, typename Read>
AAX_Result ReadParameter(Manager& manager, AAX_CParamID identifier, const char* operation, Out* out,
                         Read&& read) noexcept
{
    if (!out) return kResultNullArgument;
    return WithParameter(manager, identifier, operation,
                         [&](const AAX_IParameter& p) -> AAX_Result { return read(p, *out); });
}

// A getter that copies one property of the parameter, which cannot fail once it is found;
// property is an accessor of AAX_IParameter or a callable taking the parameter.
template <typename Manager, typename Out, typename Property>
AAX_Result CopyParameterProperty(Manager& manager, AAX_CParamID identifier, const char* operation,
                                 Out* out, Property property) noexcept
{
    return ReadParameter(manager, identifier, operation, out,
                         [&](const AAX_IParameter& p, Out& value)
                         {
                             value = static_cast<Out>(std::invoke(property, p));
                             return kResultSuccess;
                         });
}

// A request that changes the parameter named by the host and cannot fail once it is found:
// change is a member of AAX_IParameter, called with args.
template <typename Manager, typename Change, typename... Args>
AAX_Result ChangeParameter(Manager& manager, AAX_CParamID identifier, const char* operation,
                           Change change, const Args&... args) noexcept
{
    return WithParameter(manager, identifier, operation,
                         [&](AAX_IParameter& p)
                         {
                             std::invoke(change, p, args...);
                             return kResultSuccess;
                         });
}

} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // A host that releases without Uninitialize still leaves nothing behind.
    AAX_CEffectParameters::Uninitialize();
}

void AAX_CEffectParameters::DeleteWrappers()
{
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* host)
{
    // A second Initialize without Uninitialize starts afresh rather than leaking wrappers.
    // The base's own teardown: a subclass's Uninitialize may expect an initialized object.
    AAX_CEffectParameters::Uninitialize();
    return AAX_GuardHostCall(__func__,
                             [&]() -> AAX_Result
                             {
                                 mController = AAX_MakeOwned<AAX_VController>(host);
                                 // Set requests come back here when the host has no automation
                                 // interface to echo them.
                                 mAutomationDelegate =
                                     AAX_MakeOwned<AAX_VAutomationDelegate>(host, this);
                                 mTransport = AAX_MakeOwned<AAX_VTransport>(host);
                                 if (!mController || !mAutomationDelegate || !mTransport)
                                     return kResultUnexpected;
                                 mParameterManager.Initialize(mAutomationDelegate.get());
                                 mPacketDispatcher.Initialize(mController.get(), this);

                                 const AAX_Result result = EffectInit();
                                 if (result != kResultSuccess) return result;

                                 AAX_CString bypassID;
                                 GetMasterBypassParameter(&bypassID);
                                 FilterParameterIDOnSave(bypassID.Get());
                                 return kResultSuccess;
                             });
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    // Parameters go first: each unregisters through the automation wrapper.
    mParameterManager.RemoveAllParameters();
    mParameterManager.Initialize(nullptr);
    DeleteWrappers();
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::NotificationReceived(AAX_CTypeID notificationType,
                                                       const void* data, uint32 dataSize)
{
    if (notificationType != AAX_eNotificationEvent_ASPreviewState) return kResultSuccess;
    // Too short to hold the 32-bit state: nothing to read.
    if (!data || dataSize < sizeof(int32)) return kResultSuccess;
    AAX_IParameter* preview = mParameterManager.GetParameterByID(cPreviewID);
    if (!preview) return kResultSuccess;
    int32 state = 0;
    std::memcpy(&state, data, sizeof state);
    preview->SetValueWithBool(state != 0);
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters(int32* outNumParameters) const
{
    if (!outNumParameters) return kResultNullArgument;
    *outNumParameters = mParameterManager.NumParameters();
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter(AAX_IString* outIdentifier) const
{
    if (!outIdentifier) return kResultNullArgument;
    const bool present = mParameterManager.GetParameterByID(cDefaultMasterBypassID) != nullptr;
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 outIdentifier->Set(present ? cDefaultMasterBypassID : "");
                                 return kResultSuccess;
                             });
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable(AAX_CParamID identifier,
                                                            AAX_CBoolean* outAutomatable) const
{
    // Cleared before the lookup: an unknown identifier answers "not automatable" as well.
    if (outAutomatable) *outAutomatable = 0;
    return CopyParameterProperty(mParameterManager, identifier, __func__, outAutomatable,
                                 &AAX_IParameter::Automatable);
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps(AAX_CParamID identifier,
                                                            int32* outNumSteps) const
{
    return ReadParameter(mParameterManager, identifier, __func__, outNumSteps,
                         [](const AAX_IParameter& p, int32& out)
                         {
                             const int32 numSteps = static_cast<int32>(p.GetNumberOfSteps());
                             if (numSteps < 0) return kResultBadStepCount;
                             out = numSteps;
                             return kResultSuccess;
                         });
}

AAX_Result AAX_CEffectParameters::GetParameterName(AAX_CParamID identifier,
                                                   AAX_IString* outName) const
{
    if (!outName) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 outName->Set(parameter ? parameter->Name().Get() : "");
                                 return kResultSuccess;
                             });
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength(AAX_CParamID identifier,
                                                           AAX_IString* outName,
                                                           int32 maxLength) const
{
    if (!outName) return kResultConversionFailed;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    return AAX_GuardHostCall(
        __func__,
        [&]
        {
            if (!parameter)
            {
                outName->Set("");
                return kResultSuccess;
            }
            std::string name = parameter->ShortenedName(maxLength).StdString();
            if (name.size() > kMaxNameCandidateLength) name.resize(kMaxNameCandidateLength);
            name = PickNameCandidate(name, maxLength);
            if (name.empty()) return kResultSuccess;
            if (maxLength >= 0 && name.size() <= static_cast<size_t>(maxLength))
                outName->Set(name.c_str());
            else if (maxLength < 1)
                outName->Set("");
            else
                outName->Set(name.substr(0, static_cast<size_t>(maxLength)).c_str());
            return kResultSuccess;
        });
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                                     double* outValue) const
{
    return CopyParameterProperty(mParameterManager, identifier, __func__, outValue,
                                 &AAX_IParameter::GetNormalizedDefaultValue);
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                                     double value)
{
    return ChangeParameter(mParameterManager, identifier, __func__,
                           &AAX_IParameter::SetNormalizedDefaultValue, value);
}

AAX_Result AAX_CEffectParameters::GetParameterType(AAX_CParamID identifier,
                                                   AAX_EParameterType* outType) const
{
    return CopyParameterProperty(mParameterManager, identifier, __func__, outType,
                                 &AAX_IParameter::GetType);
}

AAX_Result
AAX_CEffectParameters::GetParameterOrientation(AAX_CParamID identifier,
                                               AAX_EParameterOrientation* outOrientation) const
{
    return CopyParameterProperty(mParameterManager, identifier, __func__, outOrientation,
                                 &AAX_IParameter::GetOrientation);
}

AAX_Result AAX_CEffectParameters::GetParameter(AAX_CParamID identifier,
                                               AAX_IParameter** outParameter)
{
    if (!outParameter) return kResultNullArgument;
    *outParameter = mParameterManager.GetParameterByID(identifier);
    return *outParameter ? kResultSuccess : kResultInvalidParameterId;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex(AAX_CParamID identifier, int32* outIndex) const
{
    if (!outIndex) return kResultNullArgument;
    *outIndex = mParameterManager.ControlIndexFromID(identifier);
    return *outIndex < 0 ? kResultInvalidParameterId : kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex(int32 index,
                                                          AAX_IString* outIdentifier) const
{
    if (!outIdentifier) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameter(index);
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 outIdentifier->Set(parameter ? parameter->Identifier() : "");
                                 return parameter ? kResultSuccess : kResultInvalidParameterId;
                             });
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo(AAX_CParamID /*identifier*/,
                                                        int32 /*selector*/, int32* outValue) const
{
    if (outValue) *outValue = 0;
    return kResultUnimplemented;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString(AAX_CParamID identifier,
                                                              double* outValue,
                                                              const AAX_IString& valueString) const
{
    return ReadParameter(mParameterManager, identifier, __func__, outValue,
                         [&](const AAX_IParameter& p, double& out)
                         {
                             double value = 0.0;
                             if (!p.GetNormalizedValueFromString(AAX_CString(valueString), &value))
                                 return kResultConversionFailed;
                             out = value;
                             return kResultSuccess;
                         });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(AAX_CParamID identifier, double value,
                                                              AAX_IString* outValueString,
                                                              int32 maxLength) const
{
    return ReadParameter(mParameterManager, identifier, __func__, outValueString,
                         [&](const AAX_IParameter& p, AAX_IString& out)
                         {
                             AAX_CString text;
                             if (!p.GetStringFromNormalizedValue(value, maxLength, text))
                                 return kResultConversionFailed;
                             out.Set(text.Get());
                             return kResultSuccess;
                         });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(AAX_CParamID identifier,
                                                          AAX_IString* outValueString,
                                                          int32 maxLength) const
{
    return ReadParameter(mParameterManager, identifier, __func__, outValueString,
                         [&](const AAX_IParameter& p, AAX_IString& out)
                         {
                             AAX_CString text;
                             p.GetValueString(maxLength, &text);
                             out.Set(text.Get());
                             return kResultSuccess;
                         });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(AAX_CParamID identifier,
                                                              double* outValue) const
{
    return CopyParameterProperty(mParameterManager, identifier, __func__, outValue,
                                 &AAX_IParameter::GetNormalizedValue);
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(AAX_CParamID identifier, double value)
{
    return ChangeParameter(mParameterManager, identifier, __func__,
                           &AAX_IParameter::SetNormalizedValue, value);
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative(AAX_CParamID identifier,
                                                                 double delta)
{
    double current = 0.0;
    const AAX_Result result = GetParameterNormalizedValue(identifier, &current);
    if (result != kResultSuccess) return result;
    return SetParameterNormalizedValue(identifier, ClampNormalized(current + delta));
}

AAX_Result AAX_CEffectParameters::TouchParameter(AAX_CParamID identifier)
{
    return ChangeParameter(mParameterManager, identifier, __func__, &AAX_IParameter::Touch);
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(AAX_CParamID identifier)
{
    return ChangeParameter(mParameterManager, identifier, __func__, &AAX_IParameter::Release);
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch(AAX_CParamID /*identifier*/,
                                                       AAX_CBoolean /*touchState*/)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue(AAX_CParamID identifier,
                                                                 double value,
                                                                 AAX_EUpdateSource /*source*/)
{
    return WithParameter(mParameterManager, identifier, __func__,
                         [&](AAX_IParameter& p)
                         {
                             p.UpdateNormalizedValue(value);
                             const AAX_Result result = mPacketDispatcher.SetDirty(identifier, true);
                             ++mNumPlugInChanges;
                             return result;
                         });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative(AAX_CParamID identifier,
                                                                    double delta)
{
    double current = 0.0;
    const AAX_Result result = GetParameterNormalizedValue(identifier, &current);
    if (result != kResultSuccess) return result;
    return UpdateParameterNormalizedValue(identifier, ClampNormalized(current + delta),
                                          AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return AAX_GuardHostCall(__func__, [this] { return mPacketDispatcher.Dispatch(); });
}

AAX_Result AAX_CEffectParameters::ResetFieldData(AAX_CFieldIndex /*fieldIndex*/, void* data,
                                                 uint32 dataSize) const
{
    if (data && dataSize > 0) std::memset(data, 0, dataSize);
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks(int32* outNumChunks) const
{
    if (!outNumChunks) return kResultNullArgument;
    *outNumChunks = 1;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex(int32 index, AAX_CTypeID* outChunkID) const
{
    if (!outChunkID) return kResultNullArgument;
    if (index != 0)
    {
        *outChunkID = 0;
        return kResultBadChunkIndex;
    }
    *outChunkID = cControlsChunkID;
    return kResultSuccess;
}

bool AAX_CEffectParameters::IsFiltered(const AAX_IParameter& parameter) const
{
    return mFilteredParameters.count(parameter.Identifier()) != 0;
}

void AAX_CEffectParameters::BuildChunkData() const
{
    mChunkParser.Clear();
    for (int32 index = 0; index < mParameterManager.NumParameters(); ++index)
    {
        const AAX_IParameter* parameter = mParameterManager.GetParameter(index);
        if (IsFiltered(*parameter)) continue;
        AAX_CParameterChunkCodec::Write(mChunkParser, *parameter);
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize(AAX_CTypeID chunkID, uint32* outSize)
{
    if (!outSize) return kResultNullArgument;
    if (chunkID != cControlsChunkID)
    {
        *outSize = 0;
        return kResultBadChunkId;
    }
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 BuildChunkData();
                                 mChunkSize = mChunkParser.GetChunkDataSize();
                                 if (mChunkSize < 0) return kResultBadChunkSize;
                                 *outSize = static_cast<uint32>(mChunkSize);
                                 return kResultSuccess;
                             });
}

AAX_Result AAX_CEffectParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk)
{
    if (!chunk) return kResultNullArgument;
    if (chunkID != cControlsChunkID) return kResultBadChunkId;
    return AAX_GuardHostCall(__func__,
                             [&]() -> AAX_Result
                             {
                                 BuildChunkData();
                                 const int32 size = mChunkParser.GetChunkDataSize();
                                 if (size != mChunkSize || size == 0) return kResultBadChunkSize;

                                 chunk->fVersion = mChunkParser.GetChunkVersion();
                                 std::memset(chunk->fName, 0, sizeof chunk->fName);
                                 std::memcpy(
                                     chunk->fName, CONTROLS_CHUNK_DESCRIPTION,
                                     strnlen(CONTROLS_CHUNK_DESCRIPTION, sizeof chunk->fName - 1));
                                 return mChunkParser.GetChunkData(chunk);
                             });
}

AAX_Result AAX_CEffectParameters::SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (!chunk) return kResultNullArgument;
    if (chunkID != cControlsChunkID) return kResultBadChunkId;
    return AAX_GuardHostCall(
        __func__,
        [&]
        {
            // A damaged chunk still restores what was read before the damage; the host hears
            // where reading stopped, so a partial restore is never silent.
            const int32 bytesRead = mChunkParser.LoadChunk(chunk);
            if (bytesRead != chunk->fSize)
                AAX_CHostServices::Trace(
                    AAX_eTracePriorityHost_Normal,
                    "AAX_CEffectParameters::SetChunk: damaged chunk data, read "
                    "%d of %d bytes (%d values)",
                    static_cast<int>(bytesRead), static_cast<int>(chunk->fSize),
                    static_cast<int>(mChunkParser.Values().size()));
            for (int32 index = 0; index < mParameterManager.NumParameters(); ++index)
            {
                AAX_IParameter* parameter = mParameterManager.GetParameter(index);
                if (!IsFiltered(*parameter))
                    AAX_CParameterChunkCodec::Restore(mChunkParser, *parameter);
            }
            return kResultSuccess;
        });
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk(const AAX_SPlugInChunk* chunk,
                                                     AAX_CBoolean* outIsEqual)
{
    if (!chunk || !outIsEqual) return kResultNullArgument;
    if (chunk->fChunkID != cControlsChunkID)
    {
        *outIsEqual = 1;
        return kResultSuccess;
    }
    *outIsEqual = 0;
    return AAX_GuardHostCall(
        __func__,
        [&]
        {
            mChunkParser.LoadChunk(chunk);
            for (int32 index = 0; index < mParameterManager.NumParameters(); ++index)
            {
                const AAX_IParameter* parameter = mParameterManager.GetParameter(index);
                if (IsFiltered(*parameter)) continue;
                if (!AAX_CParameterChunkCodec::Matches(mChunkParser, *parameter))
                    return kResultSuccess;
            }
            *outIsEqual = 1;
            return kResultSuccess;
        });
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges(int32* outNumChanges) const
{
    if (!outNumChanges) return kResultNullArgument;
    if (mNumPlugInChanges >= 0) *outNumChanges = mNumPlugInChanges;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::TimerWakeup()
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetCurveData(AAX_CTypeID, const float*, uint32, float*) const
{
    return kResultUnimplemented;
}

AAX_Result AAX_CEffectParameters::GetCustomData(AAX_CTypeID /*dataBlockID*/, uint32 /*dataSize*/,
                                                void* /*outData*/, uint32* outDataSize) const
{
    if (outDataSize) *outDataSize = 0;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::SetCustomData(AAX_CTypeID, uint32, const void*)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::DoMIDITransfers()
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid(AAX_SHybridRenderInfo*)
{
    return kResultUnimplemented;
}

AAX_Result AAX_CEffectParameters::UpdateMIDINodes(AAX_CFieldIndex, AAX_CMidiPacket&)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes(AAX_CTypeID, AAX_CMidiPacket&)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds(AAX_CTypeID, uint32*, uint32*) const
{
    return kResultUnimplemented;
}

AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange(AAX_CTypeID, float*, float*, float*,
                                                           float*) const
{
    return kResultUnimplemented;
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return kResultSuccess;
}

AAX_IController* AAX_CEffectParameters::Controller()
{
    return mController.get();
}

const AAX_IController* AAX_CEffectParameters::Controller() const
{
    return mController.get();
}

void AAX_CEffectParameters::FilterParameterIDOnSave(AAX_CParamID identifier)
{
    if (identifier) mFilteredParameters.insert(identifier);
}
