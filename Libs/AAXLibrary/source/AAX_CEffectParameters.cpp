#include "AAX_CEffectParameters.h"

#include <cstring>
#include <string>

#include "AAX_CString.h"
#include "AAX_Errors.h"
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
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // Parameters go before the wrappers they may still call.
    mParameterManager.RemoveAllParameters();
    DeleteWrappers();
}

void AAX_CEffectParameters::DeleteWrappers()
{
    delete mController;
    mController = nullptr;
    delete mAutomationDelegate;
    mAutomationDelegate = nullptr;
    delete mTransport;
    mTransport = nullptr;
}

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* host)
{
    // A second Initialize without Uninitialize starts afresh rather than leaking wrappers.
    mParameterManager.RemoveAllParameters();
    DeleteWrappers();

    mController = new AAX_VController(host);
    mAutomationDelegate = new AAX_VAutomationDelegate(host);
    mTransport = new AAX_VTransport(host);
    mParameterManager.Initialize(mAutomationDelegate);
    mPacketDispatcher.Initialize(mController, this);

    const AAX_Result result = EffectInit();
    if (result != kResultSuccess) return result;

    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    FilterParameterIDOnSave(bypassID.Get());
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
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
    outIdentifier->Set(present ? cDefaultMasterBypassID : "");
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable(AAX_CParamID identifier,
                                                            AAX_CBoolean* outAutomatable) const
{
    if (!outAutomatable) return kResultNullArgument;
    *outAutomatable = 0;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    *outAutomatable = parameter->Automatable() ? 1 : 0;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps(AAX_CParamID identifier,
                                                            int32* outNumSteps) const
{
    if (!outNumSteps) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    const int32 numSteps = static_cast<int32>(parameter->GetNumberOfSteps());
    if (numSteps < 0) return kResultBadStepCount;
    *outNumSteps = numSteps;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterName(AAX_CParamID identifier,
                                                   AAX_IString* outName) const
{
    if (!outName) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    outName->Set(parameter ? parameter->Name().Get() : "");
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength(AAX_CParamID identifier,
                                                           AAX_IString* outName,
                                                           int32 maxLength) const
{
    if (!outName) return kResultConversionFailed;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
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
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                                     double* outValue) const
{
    if (!outValue) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    *outValue = parameter->GetNormalizedDefaultValue();
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                                     double value)
{
    AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    parameter->SetNormalizedDefaultValue(value);
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterType(AAX_CParamID identifier,
                                                   AAX_EParameterType* outType) const
{
    if (!outType) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    *outType = parameter->GetType();
    return kResultSuccess;
}

AAX_Result
AAX_CEffectParameters::GetParameterOrientation(AAX_CParamID identifier,
                                               AAX_EParameterOrientation* outOrientation) const
{
    if (!outOrientation) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    *outOrientation = parameter->GetOrientation();
    return kResultSuccess;
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
    outIdentifier->Set(parameter ? parameter->Identifier() : "");
    return parameter ? kResultSuccess : kResultInvalidParameterId;
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
    if (!outValue) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    double value = 0.0;
    if (!parameter->GetNormalizedValueFromString(AAX_CString(valueString), &value))
        return kResultConversionFailed;
    *outValue = value;
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(AAX_CParamID identifier, double value,
                                                              AAX_IString* outValueString,
                                                              int32 maxLength) const
{
    if (!outValueString) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    AAX_CString text;
    if (!parameter->GetStringFromNormalizedValue(value, maxLength, text))
        return kResultConversionFailed;
    outValueString->Set(text.Get());
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(AAX_CParamID identifier,
                                                          AAX_IString* outValueString,
                                                          int32 maxLength) const
{
    if (!outValueString) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    AAX_CString text;
    parameter->GetValueString(maxLength, &text);
    outValueString->Set(text.Get());
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(AAX_CParamID identifier,
                                                              double* outValue) const
{
    if (!outValue) return kResultNullArgument;
    const AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    *outValue = parameter->GetNormalizedValue();
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(AAX_CParamID identifier, double value)
{
    AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    parameter->SetNormalizedValue(value);
    return kResultSuccess;
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
    AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    parameter->Touch();
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(AAX_CParamID identifier)
{
    AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    parameter->Release();
    return kResultSuccess;
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
    AAX_IParameter* parameter = mParameterManager.GetParameterByID(identifier);
    if (!parameter) return kResultInvalidParameterId;
    parameter->UpdateNormalizedValue(value);
    const AAX_Result result = mPacketDispatcher.SetDirty(identifier, true);
    ++mNumPlugInChanges;
    return result;
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
    return mPacketDispatcher.Dispatch();
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
        float floatValue = 0.0f;
        int32 intValue = 0;
        bool boolValue = false;
        double doubleValue = 0.0;
        AAX_CString text;
        if (parameter->GetValueAsFloat(&floatValue))
            mChunkParser.AddDouble(parameter->Identifier(), static_cast<double>(floatValue));
        else if (parameter->GetValueAsInt32(&intValue))
            mChunkParser.AddInt32(parameter->Identifier(), intValue);
        else if (parameter->GetValueAsBool(&boolValue))
            mChunkParser.AddInt32(parameter->Identifier(), boolValue ? 1 : 0);
        else if (parameter->GetValueAsDouble(&doubleValue))
            mChunkParser.AddDouble(parameter->Identifier(), doubleValue);
        else if (parameter->GetValueAsString(&text))
            mChunkParser.AddString(parameter->Identifier(), text);
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
    BuildChunkData();
    mChunkSize = mChunkParser.GetChunkDataSize();
    if (mChunkSize < 0) return kResultBadChunkSize;
    *outSize = static_cast<uint32>(mChunkSize);
    return kResultSuccess;
}

AAX_Result AAX_CEffectParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk)
{
    if (!chunk) return kResultNullArgument;
    if (chunkID != cControlsChunkID) return kResultBadChunkId;
    BuildChunkData();
    const int32 size = mChunkParser.GetChunkDataSize();
    if (size != mChunkSize || size == 0) return kResultBadChunkSize;

    chunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset(chunk->fName, 0, sizeof chunk->fName);
    std::memcpy(chunk->fName, CONTROLS_CHUNK_DESCRIPTION,
                strnlen(CONTROLS_CHUNK_DESCRIPTION, sizeof chunk->fName - 1));
    return mChunkParser.GetChunkData(chunk);
}

void AAX_CEffectParameters::RestoreParameter(AAX_IParameter& parameter)
{
    const char* identifier = parameter.Identifier();
    float floatValue = 0.0f;
    int32 intValue = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString text;
    if (parameter.GetValueAsFloat(&floatValue))
    {
        if (mChunkParser.FindDouble(identifier, &doubleValue))
            parameter.SetValueWithFloat(static_cast<float>(doubleValue));
    }
    else if (parameter.GetValueAsInt32(&intValue))
    {
        if (mChunkParser.FindInt32(identifier, &intValue)) parameter.SetValueWithInt32(intValue);
    }
    else if (parameter.GetValueAsBool(&boolValue))
    {
        if (mChunkParser.FindInt32(identifier, &intValue))
            parameter.SetValueWithBool(intValue != 0);
    }
    else if (parameter.GetValueAsDouble(&doubleValue))
    {
        if (mChunkParser.FindDouble(identifier, &doubleValue))
            parameter.SetValueWithDouble(doubleValue);
    }
    else if (parameter.GetValueAsString(&text))
    {
        if (mChunkParser.FindString(identifier, &text)) parameter.SetValueWithString(text);
    }
}

AAX_Result AAX_CEffectParameters::SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (!chunk) return kResultNullArgument;
    if (chunkID != cControlsChunkID) return kResultBadChunkId;
    mChunkParser.LoadChunk(chunk);
    for (int32 index = 0; index < mParameterManager.NumParameters(); ++index)
    {
        AAX_IParameter* parameter = mParameterManager.GetParameter(index);
        if (!IsFiltered(*parameter)) RestoreParameter(*parameter);
    }
    return kResultSuccess;
}

bool AAX_CEffectParameters::CompareParameter(const AAX_IParameter& parameter)
{
    const char* identifier = parameter.Identifier();
    float floatValue = 0.0f;
    int32 intValue = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString text;
    if (parameter.GetValueAsFloat(&floatValue))
    {
        double stored = 0.0;
        return mChunkParser.FindDouble(identifier, &stored) &&
               static_cast<float>(stored) == floatValue;
    }
    if (parameter.GetValueAsInt32(&intValue))
    {
        int32 stored = 0;
        return mChunkParser.FindInt32(identifier, &stored) && stored == intValue;
    }
    if (parameter.GetValueAsBool(&boolValue))
    {
        int32 stored = 0;
        return mChunkParser.FindInt32(identifier, &stored) && (stored != 0) == boolValue;
    }
    if (parameter.GetValueAsDouble(&doubleValue))
    {
        double stored = 0.0;
        return mChunkParser.FindDouble(identifier, &stored) &&
               static_cast<float>(stored) == static_cast<float>(doubleValue);
    }
    if (parameter.GetValueAsString(&text))
    {
        AAX_CString stored;
        return mChunkParser.FindString(identifier, &stored) && stored == text;
    }
    return true;
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
    mChunkParser.LoadChunk(chunk);
    if (mParameterManager.NumParameters() == 0)
    {
        *outIsEqual = 1;
        return kResultSuccess;
    }
    for (int32 index = 0; index < mParameterManager.NumParameters(); ++index)
    {
        const AAX_IParameter* parameter = mParameterManager.GetParameter(index);
        if (!IsFiltered(*parameter) && !CompareParameter(*parameter)) return kResultSuccess;
    }
    *outIsEqual = 1;
    return kResultSuccess;
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
    return mController;
}

const AAX_IController* AAX_CEffectParameters::Controller() const
{
    return mController;
}

void AAX_CEffectParameters::FilterParameterIDOnSave(AAX_CParamID identifier)
{
    if (identifier) mFilteredParameters.insert(identifier);
}
