#pragma once

#include <memory>

#include "AAX_IACFEffectParameters.h"
#include "AAX_IHostProcessor.h"
#include "ACFPtr.h"

class AAX_IController;
class AAX_IHostProcessorDelegate;
class AAX_VController;
class AAX_VHostProcessorDelegate;

// Base of an offline processing component. From Initialize to Uninitialize it owns a
// controller wrapper and a host-processor delegate wrapper made over the host object, and
// holds one counted reference to the host's effect-parameters interface. It records the
// selection bounds and the location the host reports; every pass operation has a default
// that a subclass overrides. Called by the host, one call at a time.
class AAX_CHostProcessor : public AAX_IHostProcessor
{
public:
    AAX_CHostProcessor();
    // Runs Uninitialize, so the wrappers and the reference go before the component base.
    ~AAX_CHostProcessor() override;

    // Host-facing operations.
    // host: borrowed. kResultNotInitialized when it is null; the controller wrapper made
    // before that check stays owned until Uninitialize.
    AAX_Result Initialize(IACFUnknown* host) override;
    AAX_Result Uninitialize() override;
    // Stores the source bounds and writes the translated destination bounds;
    // kResultNullArgument (nothing changed) when an out pointer is null.
    AAX_Result InitOutputBounds(int64 srcStart, int64 srcEnd, int64* outDstStart,
                                int64* outDstEnd) override;
    AAX_Result SetLocation(int64 location) override;
    AAX_Result RenderAudio(const float* const inAudioIns[], int32 inAudioInCount,
                           float* const inAudioOuts[], int32 inAudioOutCount,
                           int32* ioWindowSize) override;
    AAX_Result PreRender(int32 inAudioInCount, int32 inAudioOutCount, int32 inWindowSize) override;
    AAX_Result PostRender() override;
    AAX_Result AnalyzeAudio(const float* const inAudioIns[], int32 inAudioInCount,
                            int32* ioWindowSize) override;
    AAX_Result PreAnalyze(int32 inAudioInCount, int32 inWindowSize) override;
    AAX_Result PostAnalyze() override;
    AAX_Result GetClipNameSuffix(int32 inMaxLength, AAX_IString* outString) const override;

    // Answers both host-processor interface versions with this component; everything else
    // goes to the component base.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override;

    // The default copies the source bounds.
    virtual AAX_Result TranslateOutputBounds(int64 iSrcStart, int64 iSrcEnd, int64& oDstStart,
                                             int64& oDstEnd);
    // Forwarded to the delegate wrapper; valid between Initialize and Uninitialize only.
    virtual AAX_Result GetAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                int64 inLocation, int32* ioNumSamples);
    virtual int32 GetSideChainInputNum();

    // The wrappers and the interface below are owned by this object and live from
    // Initialize to Uninitialize; callers must not keep them.
    AAX_IController* Controller() const;
    AAX_IHostProcessorDelegate* HostProcessorDelegate() const;
    AAX_IACFEffectParameters* EffectParameters() const { return mEffectParameters.get(); }

    int64 SrcStart() const { return mSrcStart; }
    int64 SrcEnd() const { return mSrcEnd; }
    int64 DstStart() const { return mDstStart; }
    int64 DstEnd() const { return mDstEnd; }
    int64 Location() const { return mLocation; }

private:
    std::unique_ptr<AAX_VController> mController;
    std::unique_ptr<AAX_VHostProcessorDelegate> mHostProcessorDelegate;
    ACFPtr<AAX_IACFEffectParameters> mEffectParameters;
    int64 mSrcStart = 0;
    int64 mSrcEnd = 0;
    int64 mDstStart = 0;
    int64 mDstEnd = 0;
    int64 mLocation = 0;
};
