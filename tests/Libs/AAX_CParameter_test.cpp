#include "AAX_CParameter.h"

#include <gtest/gtest.h>

#include <memory>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "RecordingAutomationDelegate.h"

namespace
{
using Strings = std::vector<std::string>;

std::unique_ptr<AAX_CParameter<float>> MakeFloat(const char* id = "Gain", float defaultValue = 0.5f,
                                                 float minimum = 0.0f, float maximum = 1.0f)
{
    return std::make_unique<AAX_CParameter<float>>(
        id, AAX_CString("Gain control"), defaultValue,
        AAX_CLinearTaperDelegate<float, 0>(minimum, maximum),
        AAX_CNumberDisplayDelegate<float, 2, 0>(), true);
}

std::unique_ptr<AAX_CParameter<bool>> MakeBool()
{
    return std::make_unique<AAX_CParameter<bool>>(
        "Switch", AAX_CString("Switch"), false, AAX_CBinaryTaperDelegate<bool>(),
        AAX_CBinaryDisplayDelegate<bool>("off", "on"), false);
}

TEST(AAX_CParameter, StartsAtItsDefaultWith128StepsAndContinuousType)
{
    auto parameter = MakeFloat("Gain", 0.25f);
    float value = -1.0f;
    ASSERT_TRUE(parameter->GetValueAsFloat(&value));
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_EQ(parameter->GetNumberOfSteps(), 128u);
    EXPECT_EQ(parameter->GetType(), AAX_eParameterType_Continuous);
    EXPECT_EQ(parameter->GetOrientation(), 0);
    EXPECT_TRUE(parameter->Automatable());
    EXPECT_STREQ(parameter->Name().Get(), "Gain control");
    parameter->SetNumberOfSteps(0); // ignored
    EXPECT_EQ(parameter->GetNumberOfSteps(), 128u);
}

TEST(AAX_CParameter, WithoutDelegateChangesApplyAtOnceThroughTheTaper)
{
    auto gain = MakeFloat();
    gain->SetNormalizedValue(1.7);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 1.0);

    auto toggle = MakeBool();
    toggle->SetNormalizedValue(0.3);
    bool on = false;
    ASSERT_TRUE(toggle->GetValueAsBool(&on));
    EXPECT_TRUE(on);
    EXPECT_DOUBLE_EQ(toggle->GetNormalizedValue(), 1.0);

    gain->SetValue(5.0f); // constrained
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 1.0);
    EXPECT_TRUE(gain->SetValueFromString(AAX_CString("0.40")));
    EXPECT_FLOAT_EQ(static_cast<float>(gain->GetNormalizedValue()), 0.4f);
    EXPECT_FALSE(gain->SetValueFromString(AAX_CString("loud")));
    EXPECT_FLOAT_EQ(static_cast<float>(gain->GetNormalizedValue()), 0.4f);
}

TEST(AAX_CParameter, WithDelegateEveryChangeIsARequestEchoedByTheHost)
{
    RecordingAutomationDelegate host;
    auto gain = MakeFloat();
    gain->SetAutomationDelegate(&host);
    EXPECT_EQ(host.calls, Strings({"register Gain"}));
    host.calls.clear();

    gain->SetNormalizedValue(0.25);
    EXPECT_EQ(host.calls, Strings({"touch Gain", "set Gain 0.250000", "release Gain"}));
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 0.5); // unchanged until the host answers
    host.calls.clear();

    gain->UpdateNormalizedValue(0.25);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 0.25);
    EXPECT_EQ(host.calls, Strings({"current Gain 0.250000"}));
    gain->UpdateNormalizedValue(0.25);
    EXPECT_EQ(host.calls.size(), 1u);

    // Replacing the taper without keeping the value announces the value even if unchanged.
    host.calls.clear();
    AAX_CLinearTaperDelegate<float, 0> same(0.0f, 1.0f);
    gain->SetTaperDelegate(same, false);
    EXPECT_EQ(host.calls, Strings({"current Gain 0.250000"}));

    // Keeping the real value under a wider taper requests its new position.
    host.calls.clear();
    AAX_CLinearTaperDelegate<float, 0> wider(0.0f, 2.0f);
    gain->SetTaperDelegate(wider, true);
    EXPECT_EQ(host.calls, Strings({"touch Gain", "set Gain 0.125000", "release Gain"}));

    // A taper of another value type is refused rather than misused.
    host.calls.clear();
    AAX_CBinaryTaperDelegate<bool> wrong;
    gain->SetTaperDelegate(wrong, false);
    EXPECT_TRUE(host.calls.empty());

    AAX_CNumberDisplayDelegate<float, 2, 0> display;
    gain->SetDisplayDelegate(display);
    EXPECT_EQ(host.calls, Strings({"current Gain 0.125000"}));

    host.calls.clear();
    gain.reset();
    EXPECT_EQ(host.calls, Strings({"unregister Gain"}));
}

TEST(AAX_CParameter, DefaultChangesNeverReachTheHost)
{
    RecordingAutomationDelegate host;
    auto gain = MakeFloat("Gain", 0.0f);
    gain->SetAutomationDelegate(&host);
    host.calls.clear();
    gain->SetNormalizedDefaultValue(3.0);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedDefaultValue(), 1.0);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 0.0);
    EXPECT_TRUE(host.calls.empty());
    gain->SetToDefaultValue();
    EXPECT_EQ(host.calls, Strings({"touch Gain", "set Gain 1.000000", "release Gain"}));
}

TEST(AAX_CParameter, StepsRoundToTheNearestAndHalvesUp)
{
    auto gain = MakeFloat("Gain", 0.5f);
    EXPECT_EQ(gain->GetStepValue(), 64u);
    gain->SetNumberOfSteps(2);
    gain->SetNormalizedValue(0.49);
    EXPECT_EQ(gain->GetStepValue(), 0u);
    gain->SetNormalizedValue(0.5);
    EXPECT_EQ(gain->GetStepValue(), 1u);

    gain->SetNumberOfSteps(5);
    gain->SetStepValue(3);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 0.75);
    gain->SetStepValue(9); // beyond the last step: the maximum
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 1.0);

    gain->SetNumberOfSteps(1);
    EXPECT_EQ(gain->GetStepValue(), 0u);
    gain->SetStepValue(0);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedValue(), 1.0);
}

TEST(AAX_CParameter, ShortenedNamesPickTheLongestThatFits)
{
    auto gain = MakeFloat();
    gain->SetName(AAX_CString("Master Gain Level")); // 17 characters
    gain->AddShortenedName(AAX_CString("Gain"));
    gain->AddShortenedName(AAX_CString("Mast Gain"));
    EXPECT_STREQ(gain->ShortenedName(3).Get(), "Gain");
    EXPECT_STREQ(gain->ShortenedName(8).Get(), "Gain");
    EXPECT_STREQ(gain->ShortenedName(9).Get(), "Mast Gain");
    EXPECT_STREQ(gain->ShortenedName(17).Get(), "Master Gain Level");
    EXPECT_STREQ(gain->ShortenedName(-1).Get(), "Master Gain Level");
    gain->AddShortenedName(AAX_CString("Gain")); // same length replaces
    gain->AddShortenedName(AAX_CString("GAIN"));
    EXPECT_STREQ(gain->ShortenedName(4).Get(), "GAIN");
    gain->ClearShortenedNames();
    EXPECT_STREQ(gain->ShortenedName(4).Get(), "Master Gain Level");
}

TEST(AAX_CParameter, OnlyTheOwnTypeAccessorsWorkAndIdentifiersAreCut)
{
    auto toggle = MakeBool();
    float asFloat = 7.0f;
    int32 asInt = 7;
    double asDouble = 7.0;
    EXPECT_FALSE(toggle->GetValueAsFloat(&asFloat));
    EXPECT_FALSE(toggle->GetValueAsInt32(&asInt));
    EXPECT_FALSE(toggle->GetValueAsDouble(&asDouble));
    EXPECT_FLOAT_EQ(asFloat, 7.0f);
    EXPECT_EQ(asInt, 7);
    EXPECT_FALSE(toggle->SetValueWithFloat(1.0f));
    EXPECT_TRUE(toggle->SetValueWithBool(true));
    bool on = false;
    ASSERT_TRUE(toggle->GetValueAsBool(&on));
    EXPECT_TRUE(on);

    auto longName = MakeFloat("A234567890123456789012345678901234567890");
    EXPECT_STREQ(longName->Identifier(), "A234567890123456789012345678901");
    std::unique_ptr<AAX_IParameterValue> snapshot(longName->CloneValue());
    EXPECT_STREQ(snapshot->Identifier(), "A234567890123456789012345678901");
    float value = 0.0f;
    EXPECT_TRUE(snapshot->GetValueAsFloat(&value));
    EXPECT_FLOAT_EQ(value, 0.5f);
    EXPECT_FALSE(snapshot->GetValueAsBool(&on));
    // The snapshot keeps the value it was taken with.
    longName->SetValueWithFloat(0.25f);
    ASSERT_TRUE(longName->GetValueAsFloat(&value));
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_TRUE(snapshot->GetValueAsFloat(&value));
    EXPECT_FLOAT_EQ(value, 0.5f);
}

TEST(AAX_CParameter, StringConversionsReportOutOfRangeText)
{
    auto frequency = MakeFloat("Freq", 100.0f, 20.0f, 20000.0f);
    double normalized = -1.0;
    EXPECT_TRUE(frequency->GetNormalizedValueFromString(AAX_CString("20000"), &normalized));
    EXPECT_DOUBLE_EQ(normalized, 1.0);
    EXPECT_FALSE(frequency->GetNormalizedValueFromString(AAX_CString("30000"), &normalized));
    EXPECT_DOUBLE_EQ(normalized, 1.0); // written, clamped
    normalized = -1.0;
    EXPECT_FALSE(frequency->GetNormalizedValueFromString(AAX_CString("abc"), &normalized));
    EXPECT_DOUBLE_EQ(normalized, -1.0);

    AAX_CString text;
    EXPECT_TRUE(frequency->GetStringFromNormalizedValue(1.0, text));
    EXPECT_EQ(text.StdString(), "20000.00");
    EXPECT_TRUE(frequency->GetStringFromNormalizedValue(1.0, 6, text));
    EXPECT_EQ(text.StdString(), "20000");
    EXPECT_TRUE(frequency->GetValueString(3, &text)); // the limit is not applied here
    EXPECT_EQ(text.StdString(), "100.00");
}

} // namespace
