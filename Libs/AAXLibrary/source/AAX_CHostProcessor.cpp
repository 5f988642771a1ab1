#include "AAX_CHostProcessor.h"

#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "AAX_VController.h"
#include "AAX_VHostProcessorDelegate.h"

AAX_CHostProcessor::AAX_CHostProcessor() = default;

AAX_CHostProcessor::~AAX_CHostProcessor()
{
    Uninitialize();
}

AAX_Result AAX_CHostProcessor::Initialize(IACFUnknown* host)
{
    // A second Initialize replaces what the first one made instead of leaking it.
    Uninitialize();
    mController = AAX_MakeOwned<AAX_VController>(host);
    if (!host || !mController) return kResultNotInitialized;
    mHostProcessorDelegate = AAX_MakeOwned<AAX_VHostProcessorDelegate>(host);
    if (!mHostProcessorDelegate) return kResultNotInitialized;
    // A host without effect parameters leaves the holder empty; the processor copes.
    host->QueryInterface(IID_IAAXEffectParametersV1, reinterpret_cast<void**>(&mEffectParameters));
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::Uninitialize()
{
    mEffectParameters.Clear();
    mHostProcessorDelegate.reset();
    mController.reset();
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::InitOutputBounds(int64 srcStart, int64 srcEnd, int64* outDstStart,
                                                int64* outDstEnd)
{
    if (!outDstStart || !outDstEnd) return kResultNullArgument;
    mSrcStart = srcStart;
    mSrcEnd = srcEnd;
    TranslateOutputBounds(mSrcStart, mSrcEnd, *outDstStart, *outDstEnd);
    mDstStart = *outDstStart;
    mDstEnd = *outDstEnd;
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::SetLocation(int64 location)
{
    mLocation = location;
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::RenderAudio(const float* const[], int32, float* const[], int32,
                                           int32*)
{
    return kResultUnimplemented;
}

AAX_Result AAX_CHostProcessor::PreRender(int32, int32, int32)
{
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::PostRender()
{
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::AnalyzeAudio(const float* const[], int32, int32*)
{
    return kResultUnimplemented;
}

AAX_Result AAX_CHostProcessor::PreAnalyze(int32, int32)
{
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::PostAnalyze()
{
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::GetClipNameSuffix(int32, AAX_IString*) const
{
    return kResultUnimplemented;
}

ACFRESULT AAX_CHostProcessor::InternalQueryInterface(const _acfUID& iid, void** outInterface)
{
    if (outInterface && (iid == IID_IAAXHostProcessorV2 || iid == IID_IAAXHostProcessorV1))
    {
        AAX_IACFHostProcessor_V2* self = this;
        self->AddRef();
        *outInterface = self;
        return kResultSuccess;
    }
    return CACFUnknown::InternalQueryInterface(iid, outInterface);
}

AAX_Result AAX_CHostProcessor::TranslateOutputBounds(int64 iSrcStart, int64 iSrcEnd,
                                                     int64& oDstStart, int64& oDstEnd)
{
    oDstStart = iSrcStart;
    oDstEnd = iSrcEnd;
    return kResultSuccess;
}

AAX_Result AAX_CHostProcessor::GetAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                        int64 inLocation, int32* ioNumSamples)
{
    if (!mHostProcessorDelegate) return kResultNullObject;
    return mHostProcessorDelegate->GetAudio(inAudioIns, inAudioInCount, inLocation, ioNumSamples);
}

int32 AAX_CHostProcessor::GetSideChainInputNum()
{
    if (!mHostProcessorDelegate) return 0;
    return mHostProcessorDelegate->GetSideChainInputNum();
}

AAX_IController* AAX_CHostProcessor::Controller() const
{
    return mController.get();
}

AAX_IHostProcessorDelegate* AAX_CHostProcessor::HostProcessorDelegate() const
{
    return mHostProcessorDelegate.get();
}
