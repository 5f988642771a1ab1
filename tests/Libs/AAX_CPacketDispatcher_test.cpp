#include "AAX_CPacketDispatcher.h"

#include <gtest/gtest.h>

#include <cstring>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacket.h"
#include "AAX_CPacketHandler.h"
#include "AAX_CParameter.h"
#include "AAX_VController.h"
#include "ReferenceHost.h"

namespace
{
using Handler = AAX_CPacketHandler<AAX_CPacketDispatcher>;

// Parameters without a host: values apply at once. The dispatcher under test is separate.
class Parameters : public AAX_CEffectParameters
{
public:
    Parameters()
    {
        Add(new AAX_CParameter<float>("gain", AAX_CString("gain"), 0.5f,
                                      AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                      AAX_CNumberDisplayDelegate<float, 2, 0>(), true));
        Add(new AAX_CParameter<float>("pan", AAX_CString("pan"), 0.25f,
                                      AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                      AAX_CNumberDisplayDelegate<float, 2, 0>(), true));
        Add(new AAX_CParameter<bool>("mute", AAX_CString("mute"), true,
                                     AAX_CBinaryTaperDelegate<bool>(),
                                     AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));
    }
    void Add(AAX_IParameter* parameter) { mParameterManager.AddParameter(parameter); }
};

class AAX_CPacketDispatcherTest : public ::testing::Test
{
protected:
    AAX_CPacketDispatcherTest() { dispatcher.Initialize(&controller, parameters); }
    ~AAX_CPacketDispatcherTest() override { parameters->Release(); }

    std::vector<orv::host::HostController::Packet> Posted() const
    {
        return host.Controller().Packets();
    }

    orv::host::ReferenceHost host;
    AAX_VController controller{host.Context()};
    Parameters* parameters = []
    {
        auto* created = new Parameters();
        created->AddRef();
        return created;
    }();
    AAX_CPacketDispatcher dispatcher;
    Handler handler{&dispatcher, &AAX_CPacketDispatcher::GenerateSingleValuePacket};
};

TEST_F(AAX_CPacketDispatcherTest, FirstDispatchPostsEveryFieldOnceWithAnEightBytePayload)
{
    EXPECT_EQ(dispatcher.RegisterPacket("gain", 1, &handler), 0);
    EXPECT_EQ(dispatcher.RegisterPacket("mute", 2, &handler), 0);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    const auto posted = Posted();
    ASSERT_EQ(posted.size(), 2u);
    // Identifier order: "gain" before "mute".
    EXPECT_EQ(posted[0].field, 1);
    ASSERT_EQ(posted[0].bytes.size(), 8u);
    float value = 0.0f;
    std::memcpy(&value, posted[0].bytes.data(), sizeof value);
    EXPECT_FLOAT_EQ(value, 0.5f);
    EXPECT_EQ(std::vector<unsigned char>(posted[0].bytes.begin() + 4, posted[0].bytes.end()),
              std::vector<unsigned char>(4, 0));
    uint32 mute = 0;
    std::memcpy(&mute, posted[1].bytes.data(), sizeof mute);
    EXPECT_EQ(mute, 1u);

    // Nothing dirty: nothing posted, success.
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(Posted().size(), 2u);
    // An unknown identifier changes nothing.
    EXPECT_EQ(dispatcher.SetDirty("volume", true), 0);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(Posted().size(), 2u);
}

TEST_F(AAX_CPacketDispatcherTest, SharedFieldIsPostedOnceAndRepeatedIdentifiersMarkEveryPacket)
{
    dispatcher.RegisterPacket("pan", 5, &handler);
    dispatcher.RegisterPacket("gain", 5, &handler);
    dispatcher.RegisterPacket("mute", 6, &handler);
    dispatcher.RegisterPacket("mute", 7, &handler);
    dispatcher.Dispatch();
    auto posted = Posted();
    ASSERT_EQ(posted.size(), 3u);
    // The shared packet is filled by the identifier that sorts first.
    EXPECT_EQ(posted[0].field, 5);
    float value = 0.0f;
    std::memcpy(&value, posted[0].bytes.data(), sizeof value);
    EXPECT_FLOAT_EQ(value, 0.5f);
    EXPECT_EQ(posted[1].field, 6);
    EXPECT_EQ(posted[2].field, 7);

    dispatcher.SetDirty("mute", true);
    dispatcher.Dispatch();
    posted = Posted();
    ASSERT_EQ(posted.size(), 5u);
    EXPECT_EQ(posted[3].field, 6);
    EXPECT_EQ(posted[4].field, 7);
}

TEST_F(AAX_CPacketDispatcherTest, FailedFillsAreNotPostedButCleared)
{
    const Handler empty(&dispatcher, static_cast<Handler::PacketProc>(nullptr));
    AAX_CPacket packet(1);
    EXPECT_EQ(empty.Call("gain", packet), kResultNullObject);

    dispatcher.RegisterPacket("gain", 1, &empty);
    dispatcher.RegisterPacket("unknown", 2, &handler);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_TRUE(Posted().empty());
    dispatcher.RegisterPacket("pan", 3, &handler);
    dispatcher.SetDirty("gain", true);
    dispatcher.Dispatch();
    ASSERT_EQ(Posted().size(), 1u);
    EXPECT_EQ(Posted()[0].field, 3);
}

TEST_F(AAX_CPacketDispatcherTest, WithoutAHostControllerPostsReportTheFailure)
{
    orv::host::ReferenceHostOptions options;
    options.offerController = false;
    orv::host::ReferenceHost poorHost(options);
    AAX_VController missing(poorHost.Context());
    AAX_CPacketDispatcher lonely;
    lonely.Initialize(&missing, parameters);
    const Handler fill(&lonely, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    lonely.RegisterPacket("gain", 1, &fill);
    EXPECT_EQ(lonely.Dispatch(), kResultNullObject);
    EXPECT_EQ(lonely.Dispatch(), 0); // the packet was cleared
}

} // namespace
