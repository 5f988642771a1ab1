#include "AAX_CParameterManager.h"

#include <gtest/gtest.h>

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "RecordingAutomationDelegate.h"

namespace
{
using Strings = std::vector<std::string>;

AAX_CParameter<float>* MakeParameter(const char* id)
{
    return new AAX_CParameter<float>(id, AAX_CString(id), 0.0f,
                                     AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                     AAX_CNumberDisplayDelegate<float, 2, 0>(), true);
}

TEST(AAX_CParameterManager, KeepsInsertionOrderAndFindsByIdentifier)
{
    RecordingAutomationDelegate host;
    AAX_CParameterManager manager;
    manager.Initialize(&host);
    manager.AddParameter(MakeParameter("b"));
    manager.AddParameter(MakeParameter("a"));
    manager.AddParameter(MakeParameter("c"));
    manager.AddParameter(nullptr);

    // A duplicate identifier is refused and stays its creator's.
    AAX_CParameter<float>* duplicate = MakeParameter("a");
    manager.AddParameter(duplicate);
    delete duplicate;

    EXPECT_EQ(host.calls, Strings({"register b", "register a", "register c"}));
    ASSERT_EQ(manager.NumParameters(), 3);
    EXPECT_STREQ(manager.GetParameter(0)->Identifier(), "b");
    EXPECT_EQ(manager.GetParameter(-1), nullptr);
    EXPECT_EQ(manager.GetParameter(3), nullptr);
    EXPECT_EQ(manager.ControlIndexFromID("c"), 2);
    EXPECT_EQ(manager.ControlIndexFromID("C"), -1);
    EXPECT_EQ(manager.ControlIndexFromID(nullptr), -1);
    EXPECT_EQ(manager.GetParameterByID("a"), manager.GetParameter(1));
    EXPECT_EQ(manager.GetParameterByID("A"), nullptr);
    EXPECT_EQ(manager.GetParameterByID(nullptr), nullptr);

    host.calls.clear();
    manager.RemoveAllParameters();
    EXPECT_EQ(host.calls, Strings({"unregister b", "unregister a", "unregister c"}));
    EXPECT_EQ(manager.NumParameters(), 0);
    EXPECT_EQ(manager.GetParameterByID("a"), nullptr);
    EXPECT_EQ(manager.GetParameter(0), nullptr);
}

TEST(AAX_CParameterManager, ParametersAddedBeforeInitializeKeepTheirDelegate)
{
    RecordingAutomationDelegate host;
    AAX_CParameterManager manager;
    manager.AddParameter(MakeParameter("early"));
    manager.Initialize(&host);
    manager.AddParameter(MakeParameter("late"));
    EXPECT_EQ(host.calls, Strings({"register late"}));

    // The early one applies changes at once; the late one asks the host.
    manager.GetParameterByID("early")->SetNormalizedValue(0.5);
    manager.GetParameterByID("late")->SetNormalizedValue(0.5);
    EXPECT_DOUBLE_EQ(manager.GetParameterByID("early")->GetNormalizedValue(), 0.5);
    EXPECT_DOUBLE_EQ(manager.GetParameterByID("late")->GetNormalizedValue(), 0.0);
}

} // namespace
