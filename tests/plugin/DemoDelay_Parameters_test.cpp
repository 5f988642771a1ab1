#include "DemoDelay_Parameters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "AAX_CParameter.h"
#include "ACFPtr.h"
#include "DemoDelay_ParameterIDs.h"
#include "HostAutomationDelegate.h"
#include "HostChunk.h"
#include "HostStateFile.h"
#include "OfflineStatus.h"
#include "ReferenceHost.h"

namespace
{
using orv::host::HostAutomationDelegate;
using orv::host::HostChunk;
using orv::host::HostStateFile;
using Kind = HostAutomationDelegate::EventKind;
using Bytes = std::vector<unsigned char>;

// Gives the tests a look at the chunk parser's comparison count.
class InspectedParameters : public DemoDelay_Parameters
{
public:
    uint64 NameComparisons() const { return mChunkParser.NameComparisons(); }
};

// One instance's parameters component, created and initialized as the host does.
class DemoDelay_ParametersTest : public ::testing::Test
{
protected:
    DemoDelay_ParametersTest()
    {
        void* counted = nullptr;
        EXPECT_EQ(created->QueryInterface(IID_IAAXEffectParametersV1, &counted), 0);
        parameters.Attach(static_cast<AAX_IACFEffectParameters*>(counted));
        host.ContextObject().Offer(automationHolder.get());
        automation.SetParameters(parameters.get());
        EXPECT_EQ(parameters->Initialize(host.Context()), 0);
        automation.ClearEvents();
    }
    ~DemoDelay_ParametersTest() override
    {
        parameters->Uninitialize();
        automation.SetParameters(nullptr);
        std::remove(statePath.c_str());
    }

    double Value(const char* id) const
    {
        double value = -1.0;
        EXPECT_EQ(parameters->GetParameterNormalizedValue(id, &value), 0) << id;
        return value;
    }
    std::string Identifier(int32 index) const
    {
        AAX_CString id;
        EXPECT_EQ(parameters->GetParameterIDFromIndex(index, &id), 0);
        return id.StdString();
    }

    orv::host::ReferenceHost host;
    ACFPtr<HostAutomationDelegate> automationHolder{new HostAutomationDelegate()};
    HostAutomationDelegate& automation = *automationHolder.get();
    InspectedParameters* created = new InspectedParameters();
    ACFPtr<AAX_IACFEffectParameters> parameters;
    const std::string statePath =
        ::testing::TempDir() + "demodelay_state_" + std::to_string(getpid()) + ".chunk";
};

struct Row
{
    std::string id;
    std::string name;
    double defaultValue;
    int32 steps;
};

std::vector<Row> ExpectedTable()
{
    std::vector<Row> rows;
    for (int i = 1; i <= 20; ++i)
        rows.push_back(
            {"Par" + std::to_string(i), "Par" + std::to_string(i), i == 1 ? 1.0 : 0.0, 1000});
    for (int i = 1; i <= 20; ++i)
        rows.push_back({"Men" + std::to_string(i), "Men" + std::to_string(i), 0.0, 1000});
    rows.push_back({"chkfr", "chkfr", 0.0, 2});
    rows.push_back({"minfr", "MinFrq", 0.0, 100});
    rows.push_back({"maxfr", "MaxFrq", 0.5, 100});
    rows.push_back({"NTools", "NTools", 0.0, 20});
    rows.push_back({"Comm", "Comm", 0.0, 100});
    return rows;
}

TEST_F(DemoDelay_ParametersTest, PublishesTheParameterTableInOrder)
{
    int32 count = 0;
    ASSERT_EQ(parameters->GetNumberOfParameters(&count), 0);
    ASSERT_EQ(count, 46);
    AAX_CString text;
    EXPECT_EQ(parameters->GetMasterBypassParameter(&text), 0);
    EXPECT_EQ(text.StdString(), "MasterBypassID");
    EXPECT_EQ(Identifier(0), "MasterBypassID");
    EXPECT_EQ(parameters->GetParameterName("MasterBypassID", &text), 0);
    EXPECT_EQ(text.StdString(), "Bypass");
    int32 steps = 0;
    EXPECT_EQ(parameters->GetParameterNumberOfSteps("MasterBypassID", &steps), 0);
    EXPECT_EQ(steps, 2);
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    EXPECT_EQ(parameters->GetParameterType("MasterBypassID", &type), 0);
    EXPECT_EQ(type, AAX_eParameterType_Discrete);
    EXPECT_EQ(parameters->GetParameterValueString("MasterBypassID", &text, 10), 0);
    EXPECT_EQ(text.StdString(), "bypass");

    AAX_IParameter* parameter = nullptr;
    ASSERT_EQ(parameters->GetParameter("MasterBypassID", &parameter), 0);
    bool bypass = true;
    EXPECT_TRUE(parameter->GetValueAsBool(&bypass));
    EXPECT_FALSE(bypass);

    const std::vector<Row> table = ExpectedTable();
    for (size_t row = 0; row < table.size(); ++row)
    {
        const Row& expected = table[row];
        const char* id = expected.id.c_str();
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(Identifier(static_cast<int32>(row) + 1), expected.id);
        EXPECT_EQ(parameters->GetParameterName(id, &text), 0);
        EXPECT_EQ(text.StdString(), expected.name);
        double defaultValue = -1.0;
        EXPECT_EQ(parameters->GetParameterDefaultNormalizedValue(id, &defaultValue), 0);
        EXPECT_FLOAT_EQ(static_cast<float>(defaultValue),
                        static_cast<float>(expected.defaultValue));
        EXPECT_EQ(parameters->GetParameterNumberOfSteps(id, &steps), 0);
        EXPECT_EQ(steps, expected.steps);
        EXPECT_EQ(parameters->GetParameterType(id, &type), 0);
        EXPECT_EQ(type, AAX_eParameterType_Continuous);
        AAX_CBoolean automatable = 0;
        EXPECT_EQ(parameters->GetParameterIsAutomatable(id, &automatable), 0);
        EXPECT_EQ(automatable, 1);
        ASSERT_EQ(parameters->GetParameter(id, &parameter), 0);
        float value = -1.0f;
        EXPECT_TRUE(parameter->GetValueAsFloat(&value));
        EXPECT_FALSE(parameter->GetValueAsBool(&bypass));
        // Every value starts at its default, except that tool 1 starts off.
        EXPECT_FLOAT_EQ(value,
                        expected.id == "Par1" ? 0.0f : static_cast<float>(expected.defaultValue));
    }
    EXPECT_EQ(Identifier(45), "Comm");
    EXPECT_EQ(parameters->GetParameterValueString("maxfr", &text, 10), 0);
    EXPECT_EQ(text.StdString(), "0.50");

    // Setting tool 1 to its default switches it on (once the host echoes the request).
    AAX_IParameter* toolOne = nullptr;
    ASSERT_EQ(parameters->GetParameter("Par1", &toolOne), 0);
    toolOne->SetToDefaultValue();
    EXPECT_EQ(automation.Pump(), 1);
    EXPECT_DOUBLE_EQ(Value("Par1"), 1.0);
}

TEST_F(DemoDelay_ParametersTest, PostsOnePacketPerFieldOneToFortyFive)
{
    const std::vector<Row> table = ExpectedTable();
    // Give every parameter its own value, as host updates.
    for (size_t row = 0; row < table.size(); ++row)
        parameters->UpdateParameterNormalizedValue(table[row].id.c_str(), (row + 1) / 100.0,
                                                   AAX_eUpdateSource_Parameter);
    parameters->UpdateParameterNormalizedValue("MasterBypassID", 1.0, AAX_eUpdateSource_Parameter);
    ASSERT_EQ(parameters->GenerateCoefficients(), 0);

    std::map<int32, float> posted;
    for (const auto& packet : host.Controller().Packets())
    {
        ASSERT_EQ(packet.bytes.size(), 8u);
        float value = 0.0f;
        std::memcpy(&value, packet.bytes.data(), sizeof value);
        EXPECT_TRUE(posted.emplace(packet.field, value).second) << "field " << packet.field;
    }
    ASSERT_EQ(posted.size(), 45u);
    for (int32 field = 1; field <= 45; ++field)
        EXPECT_FLOAT_EQ(posted[field], static_cast<float>(field / 100.0)) << "field " << field;

    // Only what changed goes out next time.
    parameters->UpdateParameterNormalizedValue("Comm", 0.05, AAX_eUpdateSource_Parameter);
    parameters->GenerateCoefficients();
    const auto packets = host.Controller().Packets();
    ASSERT_EQ(packets.size(), 46u);
    EXPECT_EQ(packets.back().field, 45);
}

// The data of the default state, written out by hand from the layout: the marker, then a 'd'
// record per float parameter in table order.
Bytes DefaultStateData()
{
    Bytes data = {1, 1, 1, 1};
    for (const Row& row : ExpectedTable())
    {
        data.push_back('d');
        data.push_back('_');
        data.insert(data.end(), row.id.begin(), row.id.end());
        data.push_back(0);
        while (data.size() % 4 != 0)
            data.push_back(0);
        const Bytes zero = {0, 0, 0, 0, 0, 0, 0, 0};
        const Bytes half = {0x3F, 0xE0, 0, 0, 0, 0, 0, 0};
        const Bytes& value = row.id == "maxfr" ? half : zero;
        data.insert(data.end(), value.begin(), value.end());
    }
    return data;
}

TEST_F(DemoDelay_ParametersTest, DefaultStateChunkHasTheExactBytes)
{
    HostChunk chunk;
    std::string error;
    ASSERT_TRUE(HostStateFile::Capture(*parameters.get(), &chunk, &error)) << error;
    EXPECT_EQ(chunk.Record()->fChunkID, 0x656C636Bu);
    EXPECT_EQ(chunk.Record()->fVersion, -1);
    EXPECT_EQ(chunk.Name(), "Complete Controls State");
    const Bytes expected = DefaultStateData();
    EXPECT_EQ(expected.size(), 728u);
    EXPECT_EQ(Bytes(chunk.Data(), chunk.Data() + chunk.DataSize()), expected);
    // Spot checks of the layout: the first record, and NTools with its longer name.
    EXPECT_EQ(Bytes(chunk.Data() + 4, chunk.Data() + 12),
              Bytes({'d', '_', 'P', 'a', 'r', '1', 0, 0}));
    const size_t nTools = 4 + 43 * 16;
    EXPECT_EQ(Bytes(chunk.Data() + nTools, chunk.Data() + nTools + 12),
              Bytes({'d', '_', 'N', 'T', 'o', 'o', 'l', 's', 0, 0, 0, 0}));
}

TEST_F(DemoDelay_ParametersTest, SaveChangeRestoreAndCompareThroughTheHost)
{
    std::string error;
    parameters->UpdateParameterNormalizedValue("Par3", 1.0, AAX_eUpdateSource_Parameter);
    parameters->UpdateParameterNormalizedValue("Men3", 0.07, AAX_eUpdateSource_Parameter);
    parameters->UpdateParameterNormalizedValue("minfr", 0.1, AAX_eUpdateSource_Parameter);
    ASSERT_TRUE(HostStateFile::Save(*parameters.get(), statePath, &error)) << error;
    bool equal = false;
    ASSERT_TRUE(HostStateFile::Compare(*parameters.get(), statePath, &equal, &error)) << error;
    EXPECT_TRUE(equal);

    // Change through the editor's path: requests that the host echoes.
    parameters->SetParameterNormalizedValue("Par3", 0.0);
    parameters->SetParameterNormalizedValue("maxfr", 0.9);
    parameters->SetParameterNormalizedValue("MasterBypassID", 1.0);
    EXPECT_EQ(automation.Pump(), 3);
    ASSERT_TRUE(HostStateFile::Compare(*parameters.get(), statePath, &equal, &error)) << error;
    EXPECT_FALSE(equal);

    // Restore: one set request per saved parameter, each bracketed by touch and release, and
    // the values change only when the host applies them.
    automation.ClearEvents();
    const uint64 comparisonsBefore = created->NameComparisons();
    ASSERT_TRUE(HostStateFile::Restore(*parameters.get(), statePath, &error)) << error;
    EXPECT_EQ(created->NameComparisons() - comparisonsBefore, 45u);
    EXPECT_EQ(automation.Count(Kind::SetRequest), 45u);
    EXPECT_EQ(automation.Count(Kind::Touch), 45u);
    EXPECT_EQ(automation.Count(Kind::Release), 45u);
    EXPECT_EQ(automation.Count(Kind::SetRequest, "MasterBypassID"), 0u);
    EXPECT_DOUBLE_EQ(Value("maxfr"), static_cast<double>(0.9f));
    int32 changesBefore = 0;
    parameters->GetNumberOfChanges(&changesBefore);
    EXPECT_EQ(automation.Pump(), 45);
    int32 changesAfter = 0;
    parameters->GetNumberOfChanges(&changesAfter);
    EXPECT_EQ(changesAfter - changesBefore, 45);

    EXPECT_DOUBLE_EQ(Value("Par3"), 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(Value("Men3")), 0.07f);
    EXPECT_FLOAT_EQ(static_cast<float>(Value("minfr")), 0.1f);
    EXPECT_DOUBLE_EQ(Value("maxfr"), 0.5);
    EXPECT_DOUBLE_EQ(Value("MasterBypassID"), 1.0); // bypass is not part of the state

    // Comparing also looks each value up with one comparison.
    const uint64 compareBefore = created->NameComparisons();
    ASSERT_TRUE(HostStateFile::Compare(*parameters.get(), statePath, &equal, &error)) << error;
    EXPECT_TRUE(equal);
    EXPECT_EQ(created->NameComparisons() - compareBefore, 45u);
}

TEST_F(DemoDelay_ParametersTest, ImmediateModeAppliesRequestsDuringTheCall)
{
    automation.SetImmediate(true);
    std::vector<std::string> editorSaw;
    automation.SetUpdateListener([&](const char* id, double) { editorSaw.emplace_back(id); });
    parameters->SetParameterNormalizedValue("Comm", 0.05);
    EXPECT_FLOAT_EQ(static_cast<float>(Value("Comm")), 0.05f);
    EXPECT_TRUE(automation.PendingRequests().empty());
    EXPECT_EQ(editorSaw, std::vector<std::string>({"Comm"}));
    EXPECT_EQ(automation.Count(Kind::CurrentValue, "Comm"), 1u);
}

TEST_F(DemoDelay_ParametersTest, AListenerThatAnswersEveryUpdateCannotLoopForever)
{
    // The listener asks for a new value on every update it sees, as a faulty editor might.
    int updates = 0;
    automation.SetUpdateListener(
        [&](const char*, double value)
        {
            ++updates;
            parameters->SetParameterNormalizedValue("NTools", value > 0.5 ? 0.1 : 0.9);
        });
    automation.SetImmediate(true);
    parameters->SetParameterNormalizedValue("NTools", 0.2);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(automation.PendingRequests().size(), 1u);

    automation.SetImmediate(false);
    EXPECT_EQ(automation.Pump(), HostAutomationDelegate::kMaxPumpRounds);
    EXPECT_EQ(updates, 1 + HostAutomationDelegate::kMaxPumpRounds);
    EXPECT_EQ(automation.PendingRequests().size(), 1u); // kept for the next pump, not lost
}

TEST_F(DemoDelay_ParametersTest, MessageBlockStaysTerminatedAndWithinBuffers)
{
    const AAX_CTypeID hmsg = 0x686D7367;
    char buffer[1000];
    uint32 size = 0;
    EXPECT_EQ(parameters->GetCustomData(hmsg, sizeof buffer, buffer, &size), 0);
    EXPECT_STREQ(buffer, "Par Init");
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(parameters->GetCustomData(0x61626364, sizeof buffer, buffer, &size),
              kResultUnknownCustomData);
    EXPECT_EQ(parameters->SetCustomData(0x61626364, 3, "ab"), kResultUnknownCustomData);

    const char hello[] = "hello";
    EXPECT_EQ(parameters->SetCustomData(hmsg, sizeof hello, hello), 0);
    EXPECT_EQ(parameters->GetCustomData(hmsg, sizeof buffer, buffer, &size), 0);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(size, 6u);

    // A small buffer is refused without being written past; the size needed is reported.
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(parameters->GetCustomData(hmsg, 4, small, &size), kResultBadChunkSize);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(std::string(small, 5), "xxxxx");

    // A block longer than the message and without terminator is cut and terminated.
    const std::vector<char> big(1500, 'a');
    EXPECT_EQ(parameters->SetCustomData(hmsg, static_cast<uint32>(big.size()), big.data()), 0);
    std::vector<char> out(1500, 'z');
    EXPECT_EQ(parameters->GetCustomData(hmsg, static_cast<uint32>(out.size()), out.data(), &size),
              0);
    EXPECT_EQ(size, 1000u);
    EXPECT_EQ(std::string(out.data()), std::string(999, 'a'));
    EXPECT_EQ(out[1000], 'z');

    // A short block without terminator still reads back as text.
    EXPECT_EQ(parameters->SetCustomData(hmsg, 2, "okay"), 0);
    EXPECT_EQ(parameters->GetCustomData(hmsg, sizeof buffer, buffer, &size), 0);
    EXPECT_STREQ(buffer, "ok");
    EXPECT_EQ(parameters->SetCustomData(hmsg, 4, nullptr), kResultNullArgument);
}

TEST(DemoDelay_ParameterIDs, ToolTableWalksSwitchesThenPresets)
{
    EXPECT_STREQ(ToolSwitchID(0), "Par1");
    EXPECT_STREQ(ToolSwitchID(19), "Par20");
    EXPECT_STREQ(ToolPresetID(0), "Men1");
    EXPECT_STREQ(ToolPresetID(19), "Men20");
}

// Every status code the processor publishes reads back from the parameter as itself.
TEST_F(DemoDelay_ParametersTest, EveryStatusCodeReadsBackFromComm)
{
    automation.SetImmediate(true);
    for (int32 code = 0; code < 100; ++code)
    {
        ASSERT_EQ(parameters->SetParameterNormalizedValue(kCommParameterID, StatusToComm(code)), 0);
        EXPECT_EQ(StatusFromComm(Value(kCommParameterID)), code);
    }
}

} // namespace
