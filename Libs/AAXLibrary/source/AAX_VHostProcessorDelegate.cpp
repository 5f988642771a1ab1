#include "AAX_VHostProcessorDelegate.h"

#include "AAX_Errors.h"

AAX_VHostProcessorDelegate::AAX_VHostProcessorDelegate(IACFUnknown* host)
{
    if (!host) return;
    host->QueryInterface(IID_IAAXHostProcessorDelegateV3, reinterpret_cast<void**>(&mDelegateV3));
    if (mDelegateV3)
    {
        // One object serves all three versions; each holder keeps its own reference.
        mDelegateV2 = mDelegateV3.get();
        mDelegate = mDelegateV3.get();
        return;
    }
    host->QueryInterface(IID_IAAXHostProcessorDelegateV1, reinterpret_cast<void**>(&mDelegate));
}

AAX_Result AAX_VHostProcessorDelegate::GetAudio(const float* const audioIns[], int32 audioInCount,
                                                int64 location, int32* ioWindowSize)
{
    if (!mDelegate) return kResultNullObject;
    return mDelegate->GetAudio(audioIns, audioInCount, location, ioWindowSize);
}

int32 AAX_VHostProcessorDelegate::GetSideChainInputNum()
{
    if (!mDelegate) return 0;
    return mDelegate->GetSideChainInputNum();
}

AAX_Result AAX_VHostProcessorDelegate::ForceAnalyze()
{
    if (!mDelegateV2) return kResultUnimplemented;
    return mDelegateV2->ForceAnalyze();
}

AAX_Result AAX_VHostProcessorDelegate::ForceProcess()
{
    if (!mDelegateV3) return kResultUnimplemented;
    return mDelegateV3->ForceProcess();
}
