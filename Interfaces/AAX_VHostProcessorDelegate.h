#pragma once

#include "AAX_IACFHostProcessorDelegate.h"
#include "AAX_IHostProcessorDelegate.h"
#include "ACFPtr.h"

// Forwards AAX_IHostProcessorDelegate to the host's delegate in whichever versions the host
// offers. GetAudio answers kResultNullObject and GetSideChainInputNum 0 without version 1;
// ForceAnalyze and ForceProcess answer kResultUnimplemented without versions 2 and 3.
class AAX_VHostProcessorDelegate : public AAX_IHostProcessorDelegate
{
public:
    // Queries host (borrowed, may be null) for version 3, which also serves as versions 2
    // and 1; a host without it is asked for version 1 only.
    explicit AAX_VHostProcessorDelegate(IACFUnknown* host);
    ~AAX_VHostProcessorDelegate() override = default;

    AAX_VHostProcessorDelegate(const AAX_VHostProcessorDelegate&) = delete;
    AAX_VHostProcessorDelegate& operator=(const AAX_VHostProcessorDelegate&) = delete;

    AAX_Result GetAudio(const float* const audioIns[], int32 audioInCount, int64 location,
                        int32* ioWindowSize) override;
    int32 GetSideChainInputNum() override;
    AAX_Result ForceAnalyze() override;
    AAX_Result ForceProcess() override;

private:
    // Declared in this order so that version 3 is released first and version 1 last.
    ACFPtr<AAX_IACFHostProcessorDelegate> mDelegate;
    ACFPtr<AAX_IACFHostProcessorDelegate_V2> mDelegateV2;
    ACFPtr<AAX_IACFHostProcessorDelegate_V3> mDelegateV3;
};
