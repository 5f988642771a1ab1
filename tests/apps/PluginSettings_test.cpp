#include "PluginSettings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "FakeEffectParameters.h"

using orv::apps::PluginSettings;

namespace
{

// The fake answers index lookups only for the identifiers it was given, as the plug-in does.
class KnownParameters : public orv::test::FakeEffectParameters
{
public:
    void Know(const std::string& id, double value)
    {
        Define(id, value);
        mKnown.insert(id);
    }
    AAX_Result GetParameterIndex(AAX_CParamID id, int32* outIndex) const override
    {
        if (mKnown.count(id) == 0) return kResultInvalidParameterId;
        *outIndex = 0;
        return kResultSuccess;
    }

private:
    std::set<std::string> mKnown;
};

std::string Describe(const std::vector<PluginSettings::Setting>& settings)
{
    std::string text;
    for (const auto& setting : settings)
        text += setting.identifier + "=" + std::to_string(setting.value) + " ";
    return text;
}

TEST(PluginSettings, TurnsToolsRangeAndSetsIntoParameterValuesInOrder)
{
    PluginSettings settings;
    std::string error;
    EXPECT_TRUE(settings.Empty());
    ASSERT_TRUE(settings.AddSet("Gain=0.25", &error)) << error;
    ASSERT_TRUE(settings.AddTool("5:1", &error)) << error;
    ASSERT_TRUE(settings.AddTool("2", &error)) << error;
    ASSERT_TRUE(settings.SetRange("20-2000", &error)) << error;
    EXPECT_FALSE(settings.Empty());

    // Sets first, then each tool's switch and preset, the tool count from the highest tool
    // named (not the last), then the range.
    EXPECT_EQ(Describe(settings.Settings()), Describe({{"Gain", 0.25},
                                                       {"Par5", 1.0},
                                                       {"Men5", 0.01},
                                                       {"Par2", 1.0},
                                                       {"Men2", 0.0},
                                                       {"NTools", 0.05},
                                                       {"chkfr", 1.0},
                                                       {"minfr", 20.0 / 192000.0},
                                                       {"maxfr", 2000.0 / 192000.0}}));
}

TEST(PluginSettings, RefusesMalformedArgumentsWithAMessageAndKeepsNothing)
{
    PluginSettings settings;
    for (const char* tool :
         {"0", "21", "3:100", "x", "3:", ":2", "3:2:1", "-1", "+3", "1e1", "12345678901"})
    {
        std::string error;
        EXPECT_FALSE(settings.AddTool(tool, &error)) << tool;
        EXPECT_NE(error.find("--tool"), std::string::npos) << tool;
    }
    for (const char* range : {"2000-20", "20-20", "0-192001", "a-b", "20", "-20", "20-", ""})
    {
        std::string error;
        EXPECT_FALSE(settings.SetRange(range, &error)) << range;
        EXPECT_NE(error.find("--range"), std::string::npos) << range;
    }
    for (const char* set :
         {"=0.5", "Gain=1.5", "Gain=-0.1", "Gain=nan", "Gain=inf", "Gain=", "Gain", "Gain=0.5x"})
    {
        std::string error;
        EXPECT_FALSE(settings.AddSet(set, &error)) << set;
        EXPECT_NE(error.find("--set"), std::string::npos) << set;
    }
    EXPECT_TRUE(settings.Empty());
    // The bounds themselves are accepted.
    std::string error;
    EXPECT_TRUE(settings.AddTool("20:99", &error)) << error;
    EXPECT_TRUE(settings.SetRange("0-192000", &error)) << error;
    EXPECT_TRUE(settings.AddSet("Gain=1", &error)) << error;
}

TEST(PluginSettings, AppliesAllOrNothingAndPumpsTheHostOnce)
{
    KnownParameters parameters;
    for (const char* id : {"Par1", "Men1", "NTools"})
        parameters.Know(id, 0.0);
    int pumps = 0;
    const auto pump = [&pumps] { ++pumps; };

    PluginSettings unknown;
    std::string error;
    ASSERT_TRUE(unknown.AddTool("1:3", &error));
    ASSERT_TRUE(unknown.AddSet("NoSuchThing=0.5", &error));
    EXPECT_FALSE(unknown.Apply(parameters, pump, &error));
    EXPECT_NE(error.find("NoSuchThing"), std::string::npos) << error;
    EXPECT_TRUE(parameters.SetRequests().empty());
    EXPECT_EQ(pumps, 0);

    PluginSettings known;
    ASSERT_TRUE(known.AddTool("1:3", &error));
    ASSERT_TRUE(known.Apply(parameters, pump, &error)) << error;
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(parameters.SetRequests().size(), 3u);
    EXPECT_DOUBLE_EQ(parameters.Value("Par1"), 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(parameters.Value("Men1")), 0.03f);
    EXPECT_FLOAT_EQ(static_cast<float>(parameters.Value("NTools")), 0.01f);
}

} // namespace
