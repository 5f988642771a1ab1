#include "HostProcessorDelegate.h"

#include <gtest/gtest.h>

#include "AAX_UIDs.h"
#include "ACFPtr.h"
#include "MemoryAudioSource.h"

using orv::host::HostProcessorDelegate;
using orv::host::MemoryAudioSource;

namespace
{

TEST(HostProcessorDelegate, ReadsAnyPartOfTheSelection)
{
    MemoryAudioSource source({{1, 2, 3, 4}, {5, 6, 7, 8}});
    ACFPtr<HostProcessorDelegate> delegate(new HostProcessorDelegate(source));
    float left[3] = {-1, -1, -1};
    float right[3] = {-1, -1, -1};
    const float* const both[2] = {left, right};
    int32 count = 3;
    ASSERT_EQ(delegate->GetAudio(both, 2, 2, &count), kResultSuccess);
    // Only two samples remain after location 2; the third is not written.
    EXPECT_EQ(count, 2);
    EXPECT_EQ(left[0], 3.0f);
    EXPECT_EQ(right[1], 8.0f);
    EXPECT_EQ(left[2], -1.0f);

    // Asking for fewer channels than the selection has fills only those.
    const float* const one[1] = {left};
    count = 1;
    ASSERT_EQ(delegate->GetAudio(one, 1, 0, &count), kResultSuccess);
    EXPECT_EQ(left[0], 1.0f);

    count = 1;
    EXPECT_EQ(delegate->GetAudio(one, 1, 5, &count), kResultInvalidParameterId);
    EXPECT_EQ(delegate->GetAudio(one, 1, -1, &count), kResultInvalidParameterId);
    count = -2;
    EXPECT_EQ(delegate->GetAudio(one, 1, 0, &count), kResultInvalidParameterId);
    EXPECT_EQ(delegate->GetAudio(one, 1, 0, nullptr), kResultNullArgument);
    const float* const missing[2] = {left, nullptr};
    count = 1;
    EXPECT_EQ(delegate->GetAudio(missing, 2, 0, &count), kResultNullArgument);
    EXPECT_EQ(delegate->Log().Count("GetAudio"), 7u);
}

TEST(HostProcessorDelegate, OffersTheVersionsItIsBuiltFor)
{
    MemoryAudioSource source({std::vector<float>{0.0f}});
    for (int version : {1, 2, 3})
    {
        ACFPtr<HostProcessorDelegate> delegate(new HostProcessorDelegate(source, version));
        void* out = nullptr;
        EXPECT_EQ(delegate->QueryInterface(IID_IAAXHostProcessorDelegateV1, &out), kResultSuccess);
        delegate->Release();
        EXPECT_EQ(delegate->QueryInterface(IID_IAAXHostProcessorDelegateV2, &out) == kResultSuccess,
                  version >= 2);
        if (out) delegate->Release();
        EXPECT_EQ(delegate->QueryInterface(IID_IAAXHostProcessorDelegateV3, &out) == kResultSuccess,
                  version >= 3);
        if (out) delegate->Release();
        EXPECT_EQ(delegate->RefCount(), 1);
    }
}

} // namespace
