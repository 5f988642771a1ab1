#include "AAX_CEffectParameters.h"

#include <gtest/gtest.h>

#include <cstring>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CHostServices.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacketHandler.h"
#include "AAX_CParameter.h"
#include "ACFPtr.h"
#include "HostAutomationDelegate.h"
#include "HostChunk.h"
#include "ReferenceHost.h"

namespace
{
using orv::host::HostAutomationDelegate;
using orv::host::HostChunk;
using Kind = HostAutomationDelegate::EventKind;

// A small effect: bypass, one float with a packet, and a preview switch.
class Effect : public AAX_CEffectParameters
{
public:
    AAX_Result EffectInit() override
    {
        mParameterManager.AddParameter(new AAX_CParameter<bool>(
            cDefaultMasterBypassID, AAX_CString("Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
            AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true));
        mParameterManager.AddParameter(new AAX_CParameter<float>(
            "Gain", AAX_CString("Gain"), 0.5f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
            AAX_CNumberDisplayDelegate<float, 2, 0>(), true));
        mParameterManager.AddParameter(new AAX_CParameter<bool>(
            cPreviewID, AAX_CString("Preview"), false, AAX_CBinaryTaperDelegate<bool>(),
            AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));
        const AAX_CPacketHandler<AAX_CPacketDispatcher> handler(
            &mPacketDispatcher, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
        mPacketDispatcher.RegisterPacket("Gain", 3, &handler);
        return failure;
    }
    AAX_Result failure = kResultSuccess;
};

class AAX_CEffectParametersTest : public ::testing::Test
{
protected:
    AAX_CEffectParametersTest()
    {
        host.ContextObject().Offer(automation.get());
        automation->SetParameters(effect.get());
    }
    ~AAX_CEffectParametersTest() override
    {
        effect->Uninitialize();
        automation->SetParameters(nullptr);
    }

    double Value(const char* id)
    {
        double value = -1.0;
        EXPECT_EQ(effect->GetParameterNormalizedValue(id, &value), 0);
        return value;
    }

    HostChunk Save()
    {
        uint32 size = 0;
        EXPECT_EQ(effect->GetChunkSize(cControlsChunkID, &size), 0);
        HostChunk chunk(size);
        chunk.Record()->fChunkID = cControlsChunkID;
        EXPECT_EQ(effect->GetChunk(cControlsChunkID, chunk.Record()), 0);
        return chunk;
    }

    bool Equal(const HostChunk& chunk)
    {
        AAX_CBoolean equal = 7;
        EXPECT_EQ(effect->CompareActiveChunk(chunk.Record(), &equal), 0);
        return equal == 1;
    }

    orv::host::ReferenceHost host;
    ACFPtr<HostAutomationDelegate> automation{new HostAutomationDelegate()};
    ACFPtr<Effect> effect{new Effect()};
};

TEST_F(AAX_CEffectParametersTest, AnswersQueriesByIdentifierAndIndex)
{
    AAX_CString text("x");
    EXPECT_EQ(effect->GetMasterBypassParameter(&text), 0);
    EXPECT_EQ(text.StdString(), ""); // before Initialize
    EXPECT_EQ(effect->Controller(), nullptr);
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    EXPECT_NE(effect->Controller(), nullptr);

    int32 count = 0;
    EXPECT_EQ(effect->GetNumberOfParameters(&count), 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(effect->GetMasterBypassParameter(&text), 0);
    EXPECT_EQ(text.StdString(), "MasterBypassID");
    int32 index = 7;
    EXPECT_EQ(effect->GetParameterIndex("Gain", &index), 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(effect->GetParameterIndex("gain", &index), kResultInvalidParameterId);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(effect->GetParameterIDFromIndex(3, &text), kResultInvalidParameterId);
    EXPECT_EQ(text.StdString(), "");
    EXPECT_EQ(effect->GetParameterIDFromIndex(2, &text), 0);
    EXPECT_EQ(text.StdString(), "PreviewID");

    EXPECT_EQ(effect->GetParameterNameOfLength(cDefaultMasterBypassID, &text, 3), 0);
    EXPECT_EQ(text.StdString(), "Byp");
    EXPECT_EQ(effect->GetParameterNameOfLength(cDefaultMasterBypassID, &text, 0), 0);
    EXPECT_EQ(text.StdString(), "");
    EXPECT_EQ(effect->GetParameterNameOfLength(cDefaultMasterBypassID, &text, 6), 0);
    EXPECT_EQ(text.StdString(), "Bypass");
    EXPECT_EQ(effect->GetParameterNameOfLength("none", &text, 6), 0);
    EXPECT_EQ(text.StdString(), "");
    EXPECT_EQ(effect->GetParameterNameOfLength("Gain", nullptr, 6), kResultConversionFailed);

    int32 steps = 0;
    EXPECT_EQ(effect->GetParameterNumberOfSteps("Gain", &steps), 0);
    EXPECT_EQ(steps, 128);
    EXPECT_EQ(effect->GetParameterNumberOfSteps("none", &steps), kResultInvalidParameterId);
    AAX_CBoolean automatable = 5;
    EXPECT_EQ(effect->GetParameterIsAutomatable("none", &automatable), kResultInvalidParameterId);
    EXPECT_EQ(automatable, 0);
    int32 info = 9;
    EXPECT_EQ(effect->GetParameterValueInfo("Gain", 0, &info), kResultUnimplemented);
    EXPECT_EQ(info, 0);
    AAX_CTypeID chunkID = 1;
    EXPECT_EQ(effect->GetChunkIDFromIndex(1, &chunkID), kResultBadChunkIndex);
    EXPECT_EQ(chunkID, 0u);
    EXPECT_EQ(effect->GetChunkIDFromIndex(0, &chunkID), 0);
    EXPECT_EQ(chunkID, cControlsChunkID);

    double normalized = -1.0;
    EXPECT_EQ(effect->GetParameterValueFromString("Gain", &normalized, AAX_CString("0.75")), 0);
    EXPECT_DOUBLE_EQ(normalized, 0.75);
    EXPECT_EQ(effect->GetParameterValueFromString("Gain", &normalized, AAX_CString("7")),
              kResultConversionFailed);
    EXPECT_EQ(effect->GetParameterStringFromValue("Gain", 0.125, &text, 4), 0);
    EXPECT_EQ(text.StdString(), "0.12");
    EXPECT_EQ(effect->GetParameterValueString("Gain", &text, 2), 0);
    EXPECT_EQ(text.StdString(), "0.50");

    ASSERT_EQ(effect->Uninitialize(), 0);
    EXPECT_EQ(effect->GetNumberOfParameters(&count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(effect->GetParameterNormalizedValue("Gain", &normalized), kResultInvalidParameterId);
    EXPECT_EQ(effect->Controller(), nullptr);
}

// Each getter reads its own property of the named parameter; a null out pointer is refused and
// an unknown identifier leaves the out value as it was, except the automatable flag, cleared.
TEST_F(AAX_CEffectParametersTest, GettersReadTheirOwnPropertyAndKeepOutValuesOnFailure)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    AAX_IParameter* gain = nullptr;
    ASSERT_EQ(effect->GetParameter("Gain", &gain), 0);
    gain->SetType(AAX_eParameterType_Discrete);
    gain->SetOrientation(5);
    EXPECT_EQ(effect->SetParameterDefaultNormalizedValue("Gain", 0.25), 0);
    EXPECT_EQ(effect->SetParameterDefaultNormalizedValue("none", 0.25), kResultInvalidParameterId);

    AAX_CBoolean automatable = 5;
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation orientation = 0;
    double defaultValue = -1.0;
    double value = -1.0;
    EXPECT_EQ(effect->GetParameterIsAutomatable("Gain", &automatable), 0);
    EXPECT_EQ(effect->GetParameterType("Gain", &type), 0);
    EXPECT_EQ(effect->GetParameterOrientation("Gain", &orientation), 0);
    EXPECT_EQ(effect->GetParameterDefaultNormalizedValue("Gain", &defaultValue), 0);
    EXPECT_EQ(effect->GetParameterNormalizedValue("Gain", &value), 0);
    EXPECT_EQ(automatable, 1);
    EXPECT_EQ(type, AAX_eParameterType_Discrete);
    EXPECT_EQ(orientation, 5);
    EXPECT_DOUBLE_EQ(defaultValue, 0.25);
    EXPECT_DOUBLE_EQ(value, 0.5);

    int32 steps = -7;
    double number = -1.0;
    EXPECT_EQ(effect->GetParameterNumberOfSteps("none", &steps), kResultInvalidParameterId);
    EXPECT_EQ(steps, -7);
    EXPECT_EQ(effect->GetParameterType("none", &type), kResultInvalidParameterId);
    EXPECT_EQ(type, AAX_eParameterType_Discrete);
    EXPECT_EQ(effect->GetParameterOrientation("none", &orientation), kResultInvalidParameterId);
    EXPECT_EQ(orientation, 5);
    EXPECT_EQ(effect->GetParameterDefaultNormalizedValue("none", &number),
              kResultInvalidParameterId);
    EXPECT_EQ(effect->GetParameterNormalizedValue("none", &number), kResultInvalidParameterId);
    EXPECT_EQ(effect->GetParameterValueFromString("none", &number, AAX_CString("0.5")),
              kResultInvalidParameterId);
    EXPECT_EQ(effect->GetParameterValueFromString("Gain", &number, AAX_CString("7")),
              kResultConversionFailed);
    EXPECT_EQ(number, -1.0);
    AAX_CString text("kept");
    EXPECT_EQ(effect->GetParameterValueString("none", &text, 4), kResultInvalidParameterId);
    EXPECT_EQ(effect->GetParameterStringFromValue("none", 0.5, &text, 4),
              kResultInvalidParameterId);
    EXPECT_EQ(text.StdString(), "kept");

    EXPECT_EQ(effect->GetParameterIsAutomatable("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterNumberOfSteps("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterType("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterOrientation("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterDefaultNormalizedValue("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterNormalizedValue("Gain", nullptr), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterValueFromString("Gain", nullptr, AAX_CString("0.5")),
              kResultNullArgument);
    EXPECT_EQ(effect->GetParameterValueString("Gain", nullptr, 4), kResultNullArgument);
    EXPECT_EQ(effect->GetParameterStringFromValue("Gain", 0.5, nullptr, 4), kResultNullArgument);
}

TEST_F(AAX_CEffectParametersTest, ChangesGoToTheHostAndComeBackAsCountedUpdates)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    EXPECT_EQ(automation->Registered().size(), 3u);
    automation->ClearEvents();

    EXPECT_EQ(effect->SetParameterNormalizedValue("Gain", 0.25), 0);
    EXPECT_DOUBLE_EQ(Value("Gain"), 0.5);
    EXPECT_EQ(automation->Pump(), 1);
    EXPECT_DOUBLE_EQ(Value("Gain"), 0.25);
    int32 changes = 0;
    EXPECT_EQ(effect->GetNumberOfChanges(&changes), 0);
    EXPECT_EQ(changes, 1);

    // Two identical updates count twice but announce the value once.
    automation->ClearEvents();
    effect->UpdateParameterNormalizedValue("Gain", 0.9, AAX_eUpdateSource_Parameter);
    effect->UpdateParameterNormalizedValue("Gain", 0.9, AAX_eUpdateSource_Parameter);
    EXPECT_EQ(effect->GetNumberOfChanges(&changes), 0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(automation->Count(Kind::CurrentValue, "Gain"), 1u);
    EXPECT_EQ(effect->UpdateParameterNormalizedValue("none", 0.1, AAX_eUpdateSource_Parameter),
              kResultInvalidParameterId);

    // Relative changes are clamped to 0..1 before they are requested.
    automation->ClearEvents();
    effect->SetParameterNormalizedRelative("Gain", 0.3);
    ASSERT_EQ(automation->PendingRequests().size(), 1u);
    EXPECT_DOUBLE_EQ(automation->PendingRequests()[0].value, 1.0);
    automation->Pump();
    effect->UpdateParameterNormalizedValue("Gain", 0.1, AAX_eUpdateSource_Parameter);
    effect->SetParameterNormalizedRelative("Gain", -0.3);
    EXPECT_DOUBLE_EQ(automation->PendingRequests().at(0).value, 0.0);
    automation->Pump();
    effect->UpdateParameterNormalizedRelative("Gain", 0.4);
    EXPECT_FLOAT_EQ(static_cast<float>(Value("Gain")), 0.4f);
    EXPECT_EQ(effect->SetParameterNormalizedRelative("none", 0.1), kResultInvalidParameterId);
}

TEST_F(AAX_CEffectParametersTest, PreviewNotificationNeedsFourBytes)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    automation->SetImmediate(true);
    const int32 on = 1;
    EXPECT_EQ(effect->NotificationReceived(0x61626364, &on, sizeof on), 0);
    EXPECT_EQ(effect->NotificationReceived(AAX_eNotificationEvent_ASPreviewState, &on, 2), 0);
    EXPECT_EQ(effect->NotificationReceived(AAX_eNotificationEvent_ASPreviewState, nullptr, 4), 0);
    EXPECT_DOUBLE_EQ(Value(cPreviewID), 0.0);
    EXPECT_EQ(effect->NotificationReceived(AAX_eNotificationEvent_ASPreviewState, &on, 4), 0);
    EXPECT_DOUBLE_EQ(Value(cPreviewID), 1.0);
}

TEST_F(AAX_CEffectParametersTest, UpdatesMarkPacketsForTheNextCoefficients)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    EXPECT_EQ(effect->GenerateCoefficients(), 0);
    EXPECT_EQ(host.Controller().Packets().size(), 1u);
    EXPECT_EQ(effect->GenerateCoefficients(), 0);
    EXPECT_EQ(host.Controller().Packets().size(), 1u);
    effect->UpdateParameterNormalizedValue("Gain", 0.75, AAX_eUpdateSource_Parameter);
    effect->GenerateCoefficients();
    const auto packets = host.Controller().Packets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[1].field, 3);
    float value = 0.0f;
    std::memcpy(&value, packets[1].bytes.data(), sizeof value);
    EXPECT_FLOAT_EQ(value, 0.75f);

    unsigned char block[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(effect->ResetFieldData(9, block, 4), 0);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 6),
              std::vector<unsigned char>({0, 0, 0, 0, 5, 6}));
}

TEST_F(AAX_CEffectParametersTest, ChunkLeavesBypassOutAndRestoresThroughTheHost)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    uint32 size = 5;
    EXPECT_EQ(effect->GetChunkSize(0x61626364, &size), kResultBadChunkId);
    EXPECT_EQ(size, 0u);
    HostChunk tooEarly(64);
    EXPECT_EQ(effect->GetChunk(cControlsChunkID, tooEarly.Record()), kResultBadChunkSize);

    HostChunk saved = Save();
    EXPECT_EQ(saved.Record()->fVersion, -1);
    EXPECT_EQ(saved.Name(), "Complete Controls State");
    // "Gain" as 'd' and "PreviewID" as 'l'; no bypass.
    EXPECT_EQ(saved.DataSize(), 4u + (8 + 8) + (12 + 4));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.Data()) + 6), "Gain");
    // A second GetChunk after one GetChunkSize works as long as the size holds.
    EXPECT_EQ(effect->GetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_TRUE(Equal(saved));

    effect->UpdateParameterNormalizedValue("Gain", 0.1, AAX_eUpdateSource_Parameter);
    effect->UpdateParameterNormalizedValue(cDefaultMasterBypassID, 1.0,
                                           AAX_eUpdateSource_Parameter);
    EXPECT_FALSE(Equal(saved));

    automation->ClearEvents();
    EXPECT_EQ(effect->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_DOUBLE_EQ(Value("Gain"), static_cast<double>(0.1f)); // not yet: a request
    EXPECT_EQ(automation->Count(Kind::SetRequest), 2u);
    EXPECT_EQ(automation->Count(Kind::SetRequest, cDefaultMasterBypassID), 0u);
    automation->Pump();
    EXPECT_DOUBLE_EQ(Value("Gain"), 0.5);
    EXPECT_DOUBLE_EQ(Value(cDefaultMasterBypassID), 1.0); // bypass is not part of the state
    EXPECT_TRUE(Equal(saved));

    EXPECT_EQ(effect->SetChunk(0x61626364, saved.Record()), kResultBadChunkId);
    HostChunk other(saved);
    other.Record()->fChunkID = 0x61626364;
    effect->UpdateParameterNormalizedValue("Gain", 0.2, AAX_eUpdateSource_Parameter);
    EXPECT_TRUE(Equal(other)); // another chunk ID counts as equal
}

TEST_F(AAX_CEffectParametersTest, ComparesAtFloatPrecisionAndRejectsDamagedChunks)
{
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    effect->UpdateParameterNormalizedValue("Gain", 0.1, AAX_eUpdateSource_Parameter);
    HostChunk saved = Save();
    // Store 0.1 as an exact double: equal to the float 0.1 at float precision.
    const double exact = 0.1;
    uint64 bits = 0;
    std::memcpy(&bits, &exact, sizeof bits);
    auto* data = reinterpret_cast<unsigned char*>(saved.Record()) + kAAX_SPlugInChunkHeaderSize;
    for (int i = 0; i < 8; ++i)
        data[12 + i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
    EXPECT_TRUE(Equal(saved));

    data[0] = 2; // wrong marker: nothing restored, still success
    automation->ClearEvents();
    EXPECT_EQ(effect->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_EQ(automation->Count(Kind::SetRequest), 0u);
    EXPECT_FALSE(Equal(saved));
}

TEST_F(AAX_CEffectParametersTest, FailingEffectInitAbortsInitialize)
{
    effect->failure = kResultUnimplemented;
    EXPECT_EQ(effect->Initialize(host.Context()), kResultUnimplemented);
    EXPECT_EQ(effect->Uninitialize(), 0);
}

TEST_F(AAX_CEffectParametersTest, TellsTheHostWhereADamagedChunkStopped)
{
    AAX_CHostServices::Set(host.Context());
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    automation->SetImmediate(true);
    HostChunk saved = Save();
    EXPECT_EQ(effect->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_TRUE(host.Services().TraceLog().empty()); // a whole chunk is no news

    // Cut inside the second record: the first is restored, the host hears where it stopped.
    effect->UpdateParameterNormalizedValue("Gain", 0.1, AAX_eUpdateSource_Parameter);
    saved.Record()->fSize -= 2;
    EXPECT_EQ(effect->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_DOUBLE_EQ(Value("Gain"), 0.5);
    const auto traces = host.Services().TraceLog();
    AAX_CHostServices::Set(nullptr);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_NE(traces[0].text.find("read 20 of 34 bytes (1 values)"), std::string::npos)
        << traces[0].text;
}

// A host that offers no automation interface: nothing would ever echo a set request, so a
// change made inside the plug-in applies at once, through the same update a host would make.
TEST(AAX_CEffectParametersWithoutAutomation, ChangesMadeInsideApplyAtOnce)
{
    orv::host::ReferenceHost host;
    ACFPtr<Effect> effect{new Effect()};
    ASSERT_EQ(effect->Initialize(host.Context()), 0);
    EXPECT_EQ(effect->GenerateCoefficients(), 0);
    const size_t packetsBefore = host.Controller().Packets().size();

    EXPECT_EQ(effect->TouchParameter("Gain"), 0);
    EXPECT_EQ(effect->SetParameterNormalizedValue("Gain", 0.25), 0);
    EXPECT_EQ(effect->ReleaseParameter("Gain"), 0);
    double value = -1.0;
    EXPECT_EQ(effect->GetParameterNormalizedValue("Gain", &value), 0);
    EXPECT_DOUBLE_EQ(value, 0.25);
    int32 changes = 0;
    EXPECT_EQ(effect->GetNumberOfChanges(&changes), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(effect->GenerateCoefficients(), 0);
    const auto packets = host.Controller().Packets();
    ASSERT_EQ(packets.size(), packetsBefore + 1);
    float posted = 0.0f;
    std::memcpy(&posted, packets.back().bytes.data(), sizeof posted);
    EXPECT_FLOAT_EQ(posted, 0.25f);

    // State restore works too: the saved value comes back without any host answer.
    uint32 size = 0;
    ASSERT_EQ(effect->GetChunkSize(cControlsChunkID, &size), 0);
    HostChunk saved(size);
    ASSERT_EQ(effect->GetChunk(cControlsChunkID, saved.Record()), 0);
    effect->SetParameterNormalizedValue("Gain", 0.75);
    EXPECT_EQ(effect->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_EQ(effect->GetParameterNormalizedValue("Gain", &value), 0);
    EXPECT_DOUBLE_EQ(value, 0.25);
    EXPECT_EQ(effect->Uninitialize(), 0);
}

TEST(AAX_IEffectParameters, AnswersAllThreeVersionsWithOneAddress)
{
    class Bare : public AAX_CEffectParameters
    {
    };
    auto* bare = new Bare();
    void* v1 = nullptr;
    void* v3 = nullptr;
    ASSERT_EQ(bare->QueryInterface(IID_IAAXEffectParametersV1, &v1), 0);
    ASSERT_EQ(bare->QueryInterface(IID_IAAXEffectParametersV3, &v3), 0);
    EXPECT_EQ(v1, v3);
    void* none = &v1;
    EXPECT_EQ(bare->QueryInterface(IID_IAAXHostProcessorV1, &none), kResultNoInterface);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(bare->Release(), 1u);
    EXPECT_EQ(bare->Release(), 0u);
}

} // namespace
