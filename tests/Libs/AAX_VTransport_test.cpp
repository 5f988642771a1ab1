#include "AAX_VTransport.h"

#include <gtest/gtest.h>

#include "OperationAnswers.h"
#include "ReferenceHost.h"

using orv::host::ReferenceHost;
using orv::host::ReferenceHostOptions;
using orv::test::OperationAnswer;
using orv::test::Operations;

namespace
{

std::vector<OperationAnswer> CallEverything(const AAX_ITransport& transport)
{
    double tempo = 0;
    int32 a = 0, b = 0;
    bool flag = true;
    int64 x = 0, y = 0, z = 0;
    uint32 ticks = 0;
    AAX_EFrameRate frameRate{};
    AAX_EFeetFramesRate feetFrames{};
    return {
        {"GetCurrentTempo", transport.GetCurrentTempo(&tempo)},
        {"GetCurrentMeter", transport.GetCurrentMeter(&a, &b)},
        {"IsTransportPlaying", transport.IsTransportPlaying(&flag)},
        {"GetCurrentTickPosition", transport.GetCurrentTickPosition(&x)},
        {"GetCurrentLoopPosition", transport.GetCurrentLoopPosition(&flag, &x, &y)},
        {"GetCurrentNativeSampleLocation", transport.GetCurrentNativeSampleLocation(&x)},
        {"GetCustomTickPosition", transport.GetCustomTickPosition(&x, 1000)},
        {"GetBarBeatPosition", transport.GetBarBeatPosition(&a, &b, &z, 1000)},
        {"GetTicksPerQuarter", transport.GetTicksPerQuarter(&ticks)},
        {"GetCurrentTicksPerBeat", transport.GetCurrentTicksPerBeat(&ticks)},
        {"GetTimelineSelectionStartPosition", transport.GetTimelineSelectionStartPosition(&x)},
        {"GetTimeCodeInfo", transport.GetTimeCodeInfo(&frameRate, &a)},
        {"GetFeetFramesInfo", transport.GetFeetFramesInfo(&feetFrames, &x)},
        {"IsMetronomeEnabled", transport.IsMetronomeEnabled(&a)},
    };
}

constexpr size_t kFirstVersion2 = 10;

TEST(AAX_VTransport, ForwardsEveryOperationToTheSameNamedHostOperation)
{
    ReferenceHost host;
    host.Transport().SetTempo(93.5);
    host.Transport().SetMeter(6, 8);
    // The host's own references: its ReferenceHost and its context.
    const int32 hostReferences = host.Transport().RefCount();
    {
        AAX_VTransport transport(host.Context());
        EXPECT_EQ(host.Transport().RefCount(), hostReferences + 2);
        const auto answers = CallEverything(transport);
        EXPECT_EQ(host.Transport().Log().Calls(), Operations(answers));
        for (const OperationAnswer& answer : answers)
            EXPECT_EQ(answer.result, kResultSuccess) << answer.operation;

        double tempo = 0;
        transport.GetCurrentTempo(&tempo);
        EXPECT_EQ(tempo, 93.5);
        int32 numerator = 0, denominator = 0;
        transport.GetCurrentMeter(&numerator, &denominator);
        EXPECT_EQ(numerator, 6);
        EXPECT_EQ(denominator, 8);
    }
    EXPECT_EQ(host.Transport().RefCount(), hostReferences);
}

TEST(AAX_VTransport, FollowsTheVersionRules)
{
    ReferenceHostOptions versionOne;
    versionOne.transportVersion2 = false;
    ReferenceHost oldHost(versionOne);
    const int32 hostReferences = oldHost.Transport().RefCount();
    {
        AAX_VTransport transport(oldHost.Context());
        EXPECT_EQ(oldHost.Transport().RefCount(), hostReferences + 1);
        const auto answers = CallEverything(transport);
        for (size_t i = 0; i < answers.size(); ++i)
            EXPECT_EQ(answers[i].result, i < kFirstVersion2 ? kResultSuccess : kResultUnimplemented)
                << answers[i].operation;
        EXPECT_EQ(oldHost.Transport().Log().Calls().size(), kFirstVersion2);
    }
    EXPECT_EQ(oldHost.Transport().RefCount(), hostReferences);

    ReferenceHostOptions none;
    none.offerTransport = false;
    ReferenceHost poorHost(none);
    AAX_VTransport transport(poorHost.Context());
    const auto answers = CallEverything(transport);
    for (size_t i = 0; i < answers.size(); ++i)
        EXPECT_EQ(answers[i].result, i < kFirstVersion2 ? kResultNullObject : kResultUnimplemented)
            << answers[i].operation;
    EXPECT_TRUE(poorHost.Transport().Log().Calls().empty());

    AAX_VTransport overNothing(nullptr);
    double tempo = 0;
    EXPECT_EQ(overNothing.GetCurrentTempo(&tempo), kResultNullObject);
}

} // namespace
