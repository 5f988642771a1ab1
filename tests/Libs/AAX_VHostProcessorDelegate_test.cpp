#include "AAX_VHostProcessorDelegate.h"

#include <gtest/gtest.h>

#include "AAX_Errors.h"
#include "HostProcessorDelegate.h"
#include "MemoryAudioSource.h"
#include "ReferenceHost.h"

using orv::host::HostProcessorDelegate;
using orv::host::MemoryAudioSource;
using orv::host::ReferenceHost;

namespace
{

TEST(AAX_VHostProcessorDelegate, ForwardsToTheVersionsTheHostOffers)
{
    MemoryAudioSource source({{1, 2, 3, 4}});
    for (int version : {1, 3})
    {
        ReferenceHost host;
        ACFPtr<HostProcessorDelegate> delegate(new HostProcessorDelegate(source, version));
        host.ContextObject().Offer(delegate.get());
        const int32 before = delegate->RefCount();
        {
            AAX_VHostProcessorDelegate wrapper(host.Context());
            // Version 3 serves versions 2 and 1 too, each holder with its own reference.
            EXPECT_EQ(delegate->RefCount(), before + (version == 3 ? 3 : 1));

            float samples[2] = {0, 0};
            const float* const channels[1] = {samples};
            int32 count = 2;
            EXPECT_EQ(wrapper.GetAudio(channels, 1, 1, &count), kResultSuccess);
            EXPECT_EQ(samples[0], 2.0f);
            EXPECT_EQ(samples[1], 3.0f);
            EXPECT_EQ(wrapper.GetSideChainInputNum(), 0);
            const AAX_Result expected = version == 3 ? kResultSuccess : kResultUnimplemented;
            EXPECT_EQ(wrapper.ForceAnalyze(), expected);
            EXPECT_EQ(wrapper.ForceProcess(), expected);
            EXPECT_EQ(delegate->Log().Count("ForceProcess"), version == 3 ? 1u : 0u);
        }
        EXPECT_EQ(delegate->RefCount(), before);
    }
}

TEST(AAX_VHostProcessorDelegate, AnswersForAHostWithoutADelegate)
{
    ReferenceHost host;
    for (IACFUnknown* context : {host.Context(), static_cast<IACFUnknown*>(nullptr)})
    {
        AAX_VHostProcessorDelegate wrapper(context);
        int32 count = 1;
        EXPECT_EQ(wrapper.GetAudio(nullptr, 0, 0, &count), kResultNullObject);
        EXPECT_EQ(wrapper.GetSideChainInputNum(), 0);
        EXPECT_EQ(wrapper.ForceAnalyze(), kResultUnimplemented);
        EXPECT_EQ(wrapper.ForceProcess(), kResultUnimplemented);
    }
}

} // namespace
