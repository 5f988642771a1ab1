#pragma once

#include "AAX_IACFHostProcessorDelegate.h"
#include "AudioSource.h"
#include "HostCallLog.h"
#include "HostUnknown.h"

namespace orv::host
{

// The host's side of an offline processor: random access to the selection through its
// source (borrowed; it must outlive this object), and a record of the plug-in's requests
// for another pass. Offered in version 3 (which serves 2 and 1) or, playing an older host,
// in version 1 only. Locations count from the start of the selection.
class HostProcessorDelegate : public HostUnknown<AAX_IACFHostProcessorDelegate_V3>
{
public:
    HostProcessorDelegate(AudioSource& source, int highestVersion = 3)
        : mSource(source), mHighestVersion(highestVersion)
    {
    }

    // Fills audioIns[0..audioInCount) (at most the source's channels) from location on.
    // Samples past the selection's end are not delivered: ioWindowSize receives the number
    // written. kResultNullArgument for null buffers or size; kResultInvalidParameterId for a
    // location outside the selection or a negative size.
    AAX_Result GetAudio(const float* const audioIns[], int32 audioInCount, int64 location,
                        int32* ioWindowSize) override;
    int32 GetSideChainInputNum() override { return 0; }
    AAX_Result ForceAnalyze() override;
    AAX_Result ForceProcess() override;

    const HostCallLog& Log() const { return mLog; }

protected:
    void* Find(const _acfUID& iid) override;

private:
    AudioSource& mSource;
    const int mHighestVersion;
    HostCallLog mLog;
};

} // namespace orv::host
