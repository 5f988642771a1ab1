#include "AAX_CHostProcessor.h"

#include <gtest/gtest.h>

#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IHostProcessorDelegate.h"
#include "HostProcessorDelegate.h"
#include "MemoryAudioSource.h"
#include "ReferenceHost.h"

using orv::host::HostProcessorDelegate;
using orv::host::MemoryAudioSource;
using orv::host::ReferenceHost;

namespace
{

// The base with nothing overridden, as the host would meet a processor that relies on the
// defaults.
class PlainProcessor : public AAX_CHostProcessor
{
};

TEST(AAX_CHostProcessor, AnswersBothInterfaceVersionsWithOnePointer)
{
    const acfSInt32 liveBefore = CACFUnknown::GetActiveObjectCount();
    auto* processor = new PlainProcessor;
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), liveBefore + 1);
    void* v1 = nullptr;
    void* v2 = nullptr;
    ASSERT_EQ(processor->QueryInterface(IID_IAAXHostProcessorV1, &v1), kResultSuccess);
    ASSERT_EQ(processor->QueryInterface(IID_IAAXHostProcessorV2, &v2), kResultSuccess);
    EXPECT_EQ(v1, v2);
    EXPECT_EQ(processor->GetRefCount(), 2);

    void* unknown = nullptr;
    ASSERT_EQ(processor->QueryInterface(IID_IACFUnknown, &unknown), kResultSuccess);
    EXPECT_NE(unknown, v1);
    EXPECT_EQ(processor->GetRefCount(), 3);
    _acfUID almost = IID_IAAXHostProcessorV2;
    almost.Data4[7] ^= 1;
    void* none = &almost;
    EXPECT_EQ(processor->QueryInterface(almost, &none), kResultNoInterface);
    EXPECT_EQ(none, nullptr);

    static_cast<IACFUnknown*>(unknown)->Release();
    static_cast<AAX_IACFHostProcessor*>(v1)->Release();
    static_cast<AAX_IACFHostProcessor_V2*>(v2)->Release();
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), liveBefore);
}

TEST(AAX_CHostProcessor, HoldsTheHostObjectsFromInitializeToUninitialize)
{
    ReferenceHost host;
    MemoryAudioSource source({{5, 6, 7}});
    ACFPtr<HostProcessorDelegate> delegate(new HostProcessorDelegate(source, 1));
    host.ContextObject().Offer(delegate.get());
    const int32 controllerRefs = host.Controller().RefCount();

    PlainProcessor processor;
    EXPECT_EQ(processor.Controller(), nullptr);
    ASSERT_EQ(processor.Initialize(host.Context()), kResultSuccess);
    ASSERT_NE(processor.Controller(), nullptr);
    AAX_CSampleRate rate = 0;
    EXPECT_EQ(processor.Controller()->GetSampleRate(&rate), kResultSuccess);
    EXPECT_EQ(rate, host.Controller().kDefaultSampleRate);
    // This host offers no effect parameters: the member stays empty.
    EXPECT_EQ(processor.EffectParameters(), nullptr);

    float samples[3] = {0, 0, 0};
    const float* const channels[1] = {samples};
    int32 count = 3;
    EXPECT_EQ(processor.GetAudio(channels, 1, 0, &count), kResultSuccess);
    EXPECT_EQ(samples[2], 7.0f);
    EXPECT_EQ(processor.GetSideChainInputNum(), 0);
    ASSERT_NE(processor.HostProcessorDelegate(), nullptr);
    EXPECT_EQ(processor.HostProcessorDelegate()->ForceAnalyze(), kResultUnimplemented);

    EXPECT_EQ(processor.Uninitialize(), kResultSuccess);
    EXPECT_EQ(processor.Controller(), nullptr);
    EXPECT_EQ(host.Controller().RefCount(), controllerRefs);
    EXPECT_EQ(processor.GetAudio(channels, 1, 0, &count), kResultNullObject);

    // Without a host object: refused, but the controller wrapper made first is kept until
    // Uninitialize.
    EXPECT_EQ(processor.Initialize(nullptr), kResultNotInitialized);
    ASSERT_NE(processor.Controller(), nullptr);
    EXPECT_EQ(processor.Controller()->GetSampleRate(&rate), kResultNullObject);
    EXPECT_EQ(processor.HostProcessorDelegate(), nullptr);
    processor.Uninitialize();
    EXPECT_EQ(processor.Controller(), nullptr);
}

TEST(AAX_CHostProcessor, RecordsBoundsAndLocationAndOffersDefaults)
{
    PlainProcessor processor;
    int64 start = -1;
    int64 end = -1;
    EXPECT_EQ(processor.InitOutputBounds(100, 5000, &start, nullptr), kResultNullArgument);
    EXPECT_EQ(processor.SrcStart(), 0);
    EXPECT_EQ(start, -1);
    ASSERT_EQ(processor.InitOutputBounds(100, 5000, &start, &end), kResultSuccess);
    EXPECT_EQ(start, 100);
    EXPECT_EQ(end, 5000);
    EXPECT_EQ(processor.SrcStart(), 100);
    EXPECT_EQ(processor.SrcEnd(), 5000);
    EXPECT_EQ(processor.DstStart(), 100);
    EXPECT_EQ(processor.DstEnd(), 5000);
    EXPECT_EQ(processor.SetLocation(4242), kResultSuccess);
    EXPECT_EQ(processor.Location(), 4242);

    int32 window = 16;
    EXPECT_EQ(processor.RenderAudio(nullptr, 0, nullptr, 0, &window), kResultUnimplemented);
    EXPECT_EQ(processor.AnalyzeAudio(nullptr, 0, &window), kResultUnimplemented);
    EXPECT_EQ(processor.GetClipNameSuffix(10, nullptr), kResultUnimplemented);
    EXPECT_EQ(processor.PreRender(1, 1, 16), kResultSuccess);
    EXPECT_EQ(processor.PostRender(), kResultSuccess);
    EXPECT_EQ(processor.PreAnalyze(1, 16), kResultSuccess);
    EXPECT_EQ(processor.PostAnalyze(), kResultSuccess);
}

} // namespace
