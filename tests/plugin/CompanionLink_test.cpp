#include "CompanionLink.h"

#include <gtest/gtest.h>

#include "AAX_VController.h"
#include "HostedParameters.h"
#include "OfflineStatus.h"
#include "ReferenceHost.h"
#include "FaultCompanion.h"

namespace
{

using orv::host::ReferenceHost;
using orv::test::HostedParameters;
using orv::host::validator::FaultCompanion;

TEST(CompanionLink, AsksForTheCompanionsParametersAndFillsTheRecord)
{
    ReferenceHost host;
    host.Controller().SetSampleRate(44100.0f);
    AAX_VController controller(host.Context());
    HostedParameters parameters(host);
    parameters.Set("NTools", 0.05);
    FaultCompanion companion;
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer("{\"version\":\"2.0\",\"tools\":[\"Gain\",\"Band\"],\"presets\":[[\"Soft\","
                        "\"Hard\"],[\"Low\"]],\"rangeMax\":30000}");
    ASSERT_TRUE(companion.Start());

    CompanionInfo info;
    info.presetCounts[7] = 3;
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(&controller, parameters.Get(), info), 0);
    ASSERT_EQ(companion.Requests().size(), 1u);
    EXPECT_EQ(companion.Requests()[0], "{request:\"parameters\"}\n");
    EXPECT_TRUE(info.linkOK);
    EXPECT_TRUE(info.replyReceived);
    EXPECT_EQ(info.infoStatus, CompanionInfo::kInfoOK);
    EXPECT_EQ(info.version, "2.0");
    EXPECT_EQ(info.toolCount, 2);
    EXPECT_EQ(info.presetNames[1][2], "Hard");
    EXPECT_EQ(info.presetCounts[7], 0);
    EXPECT_FLOAT_EQ(info.rangeMax, 22050.0f);
    // An answer far longer than 400 bytes is cut, not overrun.
    companion.SetAnswer("{\"tools\":[\"A\"],\"presets\":[[]],\"rangeMax\":100,\"version\":\"" +
                        std::string(5000, 'x') + "\"}");
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(&controller, parameters.Get(), info), 0)
        << info.infoStatus;
    EXPECT_EQ(info.version, std::string(19, 'x'));
    EXPECT_EQ(info.toolCount, 1);
    // Without the four keys in its first 399 bytes the answer cannot be read.
    companion.SetAnswer("{\"version\":\"" + std::string(5000, 'x') +
                        "\",\"tools\":[\"A\"],\"presets\":[[]],\"rangeMax\":100}");
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(&controller, parameters.Get(), info), 1);
    EXPECT_EQ(info.infoStatus, CompanionInfo::kInfoUnreadable);
    EXPECT_FALSE(info.linkOK);
    EXPECT_EQ(info.toolCount, 0);
    EXPECT_EQ(parameters.Value("NTools"), 0.0);

    // Closed without a word: no tools, and the range bounded by the host's rate.
    const size_t requests = parameters.Requests("NTools").size();
    companion.SetBehaviour(FaultCompanion::Behaviour::kCloseWithoutAnswer);
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(&controller, parameters.Get(), info), 0);
    EXPECT_FALSE(info.replyReceived);
    EXPECT_TRUE(info.linkOK);
    EXPECT_FLOAT_EQ(info.rangeMax, 22050.0f);
    EXPECT_EQ(parameters.Requests("NTools").size(), requests + 1);
    EXPECT_EQ(parameters.Value("NTools"), 0.0);

    host.Controller().SetSampleRate(384000.0f);
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(&controller, nullptr, info), 0);
    EXPECT_FLOAT_EQ(info.rangeMax, 96000.0f);
}

TEST(CompanionLink, ReportsACompanionThatIsNotListening)
{
    CompanionInfo info;
    info.version = "old";
    EXPECT_EQ(CompanionLink::RequestCompanionInfo(nullptr, nullptr, info), 1);
    EXPECT_FALSE(info.linkOK);
    EXPECT_EQ(info.infoStatus, CompanionInfo::kInfoConnectFailed);
    EXPECT_TRUE(info.version.empty());

    EXPECT_EQ(CompanionLink::RequestProcessing("{request:\"process\"}\n", nullptr), kStatusConnect);
}

} // namespace
