#include "AAX_CEffectGUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_CString.h"
#include "EditorFakeParameters.h"
#include "HostViewContainer.h"
#include "ReferenceHost.h"

using orv::host::HostViewContainer;
using orv::host::ReferenceHost;
using orv::test::EditorFakeParameters;

namespace
{

// Records the hooks the base calls, in order.
class RecordingGUI : public AAX_CEffectGUI
{
public:
    std::vector<std::string> calls;

    AAX_Result ParameterUpdated(AAX_CParamID id) override
    {
        calls.push_back(std::string("update ") + id);
        return kResultSuccess;
    }

protected:
    void CreateViewContents() override { calls.push_back("contents"); }
    void CreateViewContainer() override
    {
        calls.push_back("create " + std::to_string(GetViewContainerType()));
    }
    void DeleteViewContainer() override { calls.push_back("delete"); }
};

struct AAX_CEffectGUITest : ::testing::Test
{
    AAX_CEffectGUITest()
    {
        parameters.DefineParameter("Par1", 0.0);
        parameters.DefineParameter("Comm", 0.0);
        host.ContextObject().Offer(&parameters);
        gui = new RecordingGUI;
        gui->AddRef();
    }
    ~AAX_CEffectGUITest() override
    {
        gui->Release();
        host.ContextObject().Withdraw(&parameters);
    }

    EditorFakeParameters parameters;
    ReferenceHost host;
    RecordingGUI* gui = nullptr;
};

TEST_F(AAX_CEffectGUITest, InitializeTakesTheParametersAndEndsWithTheViewContents)
{
    const int32 before = parameters.RefCount();
    EXPECT_EQ(gui->Initialize(host.Context()), kResultSuccess);
    EXPECT_EQ(gui->GetEffectParameters(), static_cast<AAX_IACFEffectParameters*>(&parameters));
    EXPECT_EQ(parameters.RefCount(), before + 1);
    EXPECT_NE(gui->Controller(), nullptr);
    EXPECT_NE(gui->Transport(), nullptr);
    EXPECT_EQ(gui->calls, std::vector<std::string>{"contents"});

    EXPECT_EQ(gui->Uninitialize(), kResultSuccess);
    EXPECT_EQ(parameters.RefCount(), before);
    EXPECT_EQ(gui->GetEffectParameters(), nullptr);
    EXPECT_EQ(gui->Controller(), nullptr);
    EXPECT_EQ(gui->Transport(), nullptr);
}

TEST_F(AAX_CEffectGUITest, InitializeWithoutAHostStopsBeforeTheViewContents)
{
    EXPECT_EQ(gui->Initialize(nullptr), kResultNotInitialized);
    EXPECT_TRUE(gui->calls.empty());
    EXPECT_EQ(gui->GetEffectParameters(), nullptr);
    EXPECT_EQ(gui->Transport(), nullptr);
    // Nothing to push without parameters.
    gui->UpdateAllParameters();
    EXPECT_TRUE(gui->calls.empty());
}

TEST_F(AAX_CEffectGUITest, ViewContainerOpensTheViewThenUpdatesEveryParameterAndClosesIt)
{
    ASSERT_EQ(gui->Initialize(host.Context()), kResultSuccess);
    int nativeView = 0;
    ACFPtr<HostViewContainer> container(new HostViewContainer(&nativeView));
    EXPECT_EQ(gui->SetViewContainer(container.get()), kResultSuccess);
    EXPECT_EQ(gui->GetViewContainerType(), 1);
    EXPECT_EQ(gui->GetViewContainerPtr(), &nativeView);
    EXPECT_EQ(gui->calls,
              (std::vector<std::string>{"contents", "create 1", "update Par1", "update Comm"}));

    // A second container without a close between: the first view goes first.
    ACFPtr<HostViewContainer> second(new HostViewContainer(&nativeView, 0));
    gui->calls.clear();
    EXPECT_EQ(gui->SetViewContainer(second.get()), kResultSuccess);
    EXPECT_EQ(gui->calls,
              (std::vector<std::string>{"delete", "create 0", "update Par1", "update Comm"}));
    EXPECT_EQ(container->RefCount(), 1);

    gui->calls.clear();
    EXPECT_EQ(gui->SetViewContainer(nullptr), kResultSuccess);
    EXPECT_EQ(gui->calls, std::vector<std::string>{"delete"});
    EXPECT_EQ(gui->GetViewContainer(), nullptr);
    EXPECT_EQ(gui->GetViewContainerType(), 0);
    EXPECT_EQ(gui->GetViewContainerPtr(), nullptr);
    EXPECT_EQ(second->RefCount(), 1);
}

TEST_F(AAX_CEffectGUITest, UpdateAllParametersWithoutParametersUpdatesNothing)
{
    EditorFakeParameters empty;
    ReferenceHost otherHost;
    otherHost.ContextObject().Offer(&empty);
    RecordingGUI* other = new RecordingGUI;
    other->AddRef();
    ASSERT_EQ(other->Initialize(otherHost.Context()), kResultSuccess);
    other->UpdateAllParameters();
    EXPECT_EQ(other->calls, std::vector<std::string>{"contents"});
    other->Release();
    otherHost.ContextObject().Withdraw(&empty);
}

TEST_F(AAX_CEffectGUITest, DefaultAnswersAndInterfaceQueries)
{
    AAX_Point size{-1.0f, -2.0f};
    EXPECT_EQ(gui->GetViewSize(&size), kResultSuccess);
    EXPECT_EQ(size.vert, -1.0f);
    EXPECT_EQ(size.horz, -2.0f);
    EXPECT_EQ(gui->Draw(nullptr), kResultSuccess);
    EXPECT_EQ(gui->TimerWakeup(), kResultSuccess);
    EXPECT_EQ(gui->NotificationReceived(0, nullptr, 0), kResultSuccess);
    AAX_CString label;
    EXPECT_EQ(gui->GetCustomLabel(AAX_ePlugInStrings_Analysis, &label), kResultNullObject);
    EXPECT_EQ(gui->SetControlHighlightInfo("Par1", 1, AAX_eHighlightColor_Red), kResultSuccess);

    void* out = nullptr;
    ASSERT_EQ(gui->QueryInterface(IID_IAAXEffectGUIV1, &out), kResultSuccess);
    EXPECT_EQ(out, static_cast<AAX_IACFEffectGUI*>(gui));
    EXPECT_EQ(gui->GetRefCount(), 2);
    gui->Release();
    EXPECT_EQ(gui->QueryInterface(IID_IAAXHostProcessorV1, &out), kResultNoInterface);
    EXPECT_EQ(out, nullptr);
}

} // namespace
