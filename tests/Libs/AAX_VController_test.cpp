#include "AAX_VController.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "AAX_CString.h"
#include "OperationAnswers.h"
#include "ReferenceHost.h"

using orv::host::ReferenceHost;
using orv::host::ReferenceHostOptions;
using orv::test::OperationAnswer;
using orv::test::Operations;

namespace
{

// Calls every operation once, in slot order, so the host's log shows where each one went.
std::vector<OperationAnswer> CallEverything(AAX_IController& controller)
{
    AAX_CString text;
    AAX_CSampleRate rate = 0;
    AAX_EStemFormat stem = AAX_eStemFormat_None;
    int32 value = 0;
    int64 location = 0;
    float meter = 0;
    uint32 count = 0;
    AAX_CBoolean clipped = 0;
    AAX_CFieldIndex port = 0;
    AAX_CMidiPacket packet{};
    AAX_EProperty property = AAX_eProperty_NoID;
    const unsigned char payload[3] = {1, 2, 3};
    AAX_CTransportCounter stamp = 0;
    return {
        {"GetEffectID", controller.GetEffectID(&text)},
        {"GetSampleRate", controller.GetSampleRate(&rate)},
        {"GetInputStemFormat", controller.GetInputStemFormat(&stem)},
        {"GetOutputStemFormat", controller.GetOutputStemFormat(&stem)},
        {"GetSignalLatency", controller.GetSignalLatency(&value)},
        {"GetCycleCount", controller.GetCycleCount(property, &value)},
        {"GetTODLocation", controller.GetTODLocation(&location)},
        {"SetSignalLatency", controller.SetSignalLatency(64)},
        {"SetCycleCount", controller.SetCycleCount(&property, &value, 1)},
        {"PostPacket", controller.PostPacket(7, payload, sizeof(payload))},
        {"SendNotification", controller.SendNotification(0x41535076, payload, sizeof(payload))},
        {"GetCurrentMeterValue", controller.GetCurrentMeterValue(1, &meter)},
        {"GetMeterPeakValue", controller.GetMeterPeakValue(1, &meter)},
        {"ClearMeterPeakValue", controller.ClearMeterPeakValue(1)},
        {"GetMeterCount", controller.GetMeterCount(&count)},
        {"GetMeterClipped", controller.GetMeterClipped(1, &clipped)},
        {"ClearMeterClipped", controller.ClearMeterClipped(1)},
        {"GetNextMIDIPacket", controller.GetNextMIDIPacket(&port, &packet)},
        {"GetHybridSignalLatency", controller.GetHybridSignalLatency(&value)},
        {"GetCurrentAutomationTimestamp", controller.GetCurrentAutomationTimestamp(&stamp)},
        {"GetHostName", controller.GetHostName(&text)},
    };
}

const std::vector<std::string> kVersion2Operations = {
    "SendNotification", "GetHybridSignalLatency", "GetCurrentAutomationTimestamp", "GetHostName"};

bool IsVersion2(const std::string& operation)
{
    return std::find(kVersion2Operations.begin(), kVersion2Operations.end(), operation) !=
           kVersion2Operations.end();
}

TEST(AAX_VController, ForwardsEveryOperationToTheSameNamedHostOperation)
{
    ReferenceHost host;
    host.Controller().SetSampleRate(44100.0f);
    host.Controller().SetEffectID("com.Brenlow.aax.orvendal");
    // The host's own references: its ReferenceHost and its context.
    const int32 hostReferences = host.Controller().RefCount();
    {
        AAX_VController controller(host.Context());
        // Two holders (both versions) on top of the host's own references.
        EXPECT_EQ(host.Controller().RefCount(), hostReferences + 2);
        EXPECT_EQ(host.ContextObject().RefCount(), 1); // the host object is not kept

        const auto answers = CallEverything(controller);
        EXPECT_EQ(host.Controller().Log().Calls(), Operations(answers));
        for (const OperationAnswer& answer : answers)
        {
            if (answer.operation != "GetNextMIDIPacket") // the offline host has no MIDI
            {
                EXPECT_EQ(answer.result, kResultSuccess) << answer.operation;
            }
        }

        AAX_CSampleRate rate = 0;
        EXPECT_EQ(controller.GetSampleRate(&rate), kResultSuccess);
        EXPECT_EQ(rate, 44100.0f);
        AAX_CString text;
        controller.GetEffectID(&text);
        EXPECT_STREQ(text.Get(), "com.Brenlow.aax.orvendal");
        controller.GetHostName(&text);
        EXPECT_STREQ(text.Get(), orv::host::HostController::kDefaultHostName);
    }
    EXPECT_EQ(host.Controller().RefCount(), hostReferences);

    const auto packets = host.Controller().Packets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].field, 7);
    EXPECT_EQ(packets[0].bytes, (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(host.Controller().SignalLatency(), 64);
    ASSERT_EQ(host.Controller().Notifications().size(), 1u);
    EXPECT_EQ(host.Controller().Notifications()[0].type, 0x41535076u);
}

TEST(AAX_VController, AHostWithVersionOneOnlyAnswersNewerOperationsUnimplemented)
{
    ReferenceHostOptions options;
    options.controllerVersion2 = false;
    ReferenceHost host(options);
    host.Controller().SetSampleRate(96000.0f);
    const int32 hostReferences = host.Controller().RefCount();
    {
        AAX_VController controller(host.Context());
        EXPECT_EQ(host.Controller().RefCount(), hostReferences + 1);

        AAX_CSampleRate rate = 0;
        EXPECT_EQ(controller.GetSampleRate(&rate), kResultSuccess);
        EXPECT_EQ(rate, 96000.0f);

        AAX_CString name("unchanged");
        EXPECT_EQ(controller.GetHostName(&name), kResultUnimplemented);
        EXPECT_STREQ(name.Get(), "unchanged");
        AAX_CTransportCounter stamp = 99;
        EXPECT_EQ(controller.GetCurrentAutomationTimestamp(&stamp), kResultUnimplemented);
        EXPECT_EQ(stamp, 0);
        EXPECT_EQ(controller.GetCurrentAutomationTimestamp(nullptr), kResultUnimplemented);

        for (const OperationAnswer& answer : CallEverything(controller))
        {
            if (IsVersion2(answer.operation))
            {
                EXPECT_EQ(answer.result, kResultUnimplemented) << answer.operation;
            }
        }
        for (const auto& call : host.Controller().Log().Calls())
            EXPECT_FALSE(IsVersion2(call)) << call << " reached a version 1 host";
    }
    EXPECT_EQ(host.Controller().RefCount(), hostReferences);
}

TEST(AAX_VController, WithoutAHostControllerEveryOperationFailsWithoutCalling)
{
    ReferenceHostOptions options;
    options.offerController = false;
    ReferenceHost host(options);
    AAX_VController controller(host.Context());
    for (const OperationAnswer& answer : CallEverything(controller))
        EXPECT_EQ(answer.result,
                  IsVersion2(answer.operation) ? kResultUnimplemented : kResultNullObject)
            << answer.operation;
    EXPECT_TRUE(host.Controller().Log().Calls().empty());

    AAX_VController overNothing(nullptr);
    const unsigned char byte = 0;
    EXPECT_EQ(overNothing.PostPacket(1, &byte, 1), kResultNullObject);
    AAX_CTransportCounter stamp = 5;
    EXPECT_EQ(overNothing.GetCurrentAutomationTimestamp(&stamp), kResultUnimplemented);
    EXPECT_EQ(stamp, 0);
}

} // namespace
