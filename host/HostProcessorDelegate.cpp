#include "HostProcessorDelegate.h"

#include <algorithm>
#include <vector>

#include "AAX_UIDs.h"

namespace orv::host
{

AAX_Result HostProcessorDelegate::GetAudio(const float* const audioIns[], int32 audioInCount,
                                           int64 location, int32* ioWindowSize)
{
    mLog.Add("GetAudio");
    if (!audioIns || !ioWindowSize) return kResultNullArgument;
    if (*ioWindowSize < 0 || location < 0 || location > mSource.Length())
        return kResultInvalidParameterId;
    const int32 count =
        static_cast<int32>(std::min<int64>(*ioWindowSize, mSource.Length() - location));
    const int32 wanted = std::min(std::max(audioInCount, 0), mSource.ChannelCount());
    // The plug-in hands its buffers through the const-qualified contract; they are its to
    // fill. Channels it did not ask for are read into scratch space.
    std::vector<std::vector<float>> scratch(static_cast<size_t>(mSource.ChannelCount() - wanted),
                                            std::vector<float>(count));
    std::vector<float*> channels;
    for (int32 c = 0; c < mSource.ChannelCount(); ++c)
    {
        if (c < wanted && !audioIns[c]) return kResultNullArgument;
        channels.push_back(c < wanted ? const_cast<float*>(audioIns[c])
                                      : scratch[static_cast<size_t>(c - wanted)].data());
    }
    if (!mSource.Read(location, count, channels.data())) return kResultInvalidParameterId;
    *ioWindowSize = count;
    return kResultSuccess;
}

AAX_Result HostProcessorDelegate::ForceAnalyze()
{
    mLog.Add("ForceAnalyze");
    return kResultSuccess;
}

AAX_Result HostProcessorDelegate::ForceProcess()
{
    mLog.Add("ForceProcess");
    return kResultSuccess;
}

void* HostProcessorDelegate::Find(const _acfUID& iid)
{
    if (iid == IID_IACFUnknown) return AsUnknown();
    if (iid == IID_IAAXHostProcessorDelegateV1)
        return static_cast<AAX_IACFHostProcessorDelegate*>(this);
    if (iid == IID_IAAXHostProcessorDelegateV2 && mHighestVersion >= 2)
        return static_cast<AAX_IACFHostProcessorDelegate_V2*>(this);
    if (iid == IID_IAAXHostProcessorDelegateV3 && mHighestVersion >= 3)
        return static_cast<AAX_IACFHostProcessorDelegate_V3*>(this);
    return nullptr;
}

} // namespace orv::host
