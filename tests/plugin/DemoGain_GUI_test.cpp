#include "DemoGain_GUI.h"

#include <gtest/gtest.h>

#include <cmath>

#include "CBitmap.h"
#include "CTextEdit.h"
#include "DemoGain_KickButtonVST.h"
#include "DemoGain_MenuVST.h"
#include "DemoGain_OnOffButtonVSTvect.h"
#include "DemoGain_View.h"
#include "EditorFixture.h"
#include "ReferenceHost.h"

using namespace VSTGUI;
using orv::host::ReferenceHost;
using orv::test::EditorFixture;

namespace
{

// Tool 1 offers 60 presets, so that indexes like 53 and 59 exist.
std::string ManyPresets()
{
    std::string presets;
    for (int i = 0; i < 60; ++i)
        presets += (i ? ",\"" : "\"") + std::to_string(i) + "\"";
    return "{\"version\":\"2.1\",\"tools\":[\"A\",\"B\",\"C\"],\"presets\":[[" + presets +
           "],[\"x\"],[\"p\",\"q\",\"r\"]],\"rangeMax\":48000}";
}

struct DemoGain_GUITest : ::testing::Test, EditorFixture
{
    DemoGain_GUITest()
    {
        hostObjects.ContextObject().Offer(&parameters);
        gui = DemoGain_GUI::Create();
        gui->AddRef();
    }
    ~DemoGain_GUITest() override
    {
        gui->SetViewContainer(nullptr);
        gui->Release();
        hostObjects.ContextObject().Withdraw(&parameters);
    }
    DemoGain_View* OpenWindow()
    {
        EXPECT_EQ(gui->Initialize(hostObjects.Context()), kResultSuccess);
        EXPECT_EQ(gui->SetViewContainer(host.get()), kResultSuccess);
        return static_cast<DemoGain_GUI*>(gui)->GetView();
    }

    ReferenceHost hostObjects;
    AAX_IEffectGUI* gui = nullptr;
};

TEST_F(DemoGain_GUITest, OpeningTheWindowShowsTheCurrentValues)
{
    parameters.Define("Men3", 0.02);
    parameters.Define("Par2", 1.0);
    parameters.Define("chkfr", 1.0);
    parameters.Define("minfr", 0.1);
    ASSERT_TRUE(StartCompanion(ManyPresets()));
    DemoGain_View* view = OpenWindow();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ControlOf<DemoGain_MenuVST>(view, "Men3")->getValue(), 2.0f);
    EXPECT_EQ(view->ControlFor("Par2")->getValue(), 1.0f);
    EXPECT_EQ(view->ControlFor("Par1")->getValue(), 0.0f);
    EXPECT_EQ(view->ControlFor("chkfr")->getValue(), 1.0f);
    EXPECT_STREQ(ControlOf<CTextEdit>(view, "minfr")->getText(), "19200");
    // The upper bound was reset to the range maximum while the view was built.
    EXPECT_STREQ(ControlOf<CTextEdit>(view, "maxfr")->getText(), "48000");

    AAX_Point size{0, 0};
    EXPECT_EQ(gui->GetViewSize(&size), kResultSuccess);
    EXPECT_EQ(size.horz, 540.0f);
    EXPECT_EQ(size.vert, 360.0f);
    EXPECT_EQ(gui->Draw(nullptr), kResultSuccess);
    AAX_Rect area{0, 0, 540, 360};
    EXPECT_EQ(gui->Draw(&area), kResultSuccess);
    EXPECT_EQ(this->view.getPixel(5, 5), CColor(59, 59, 59, 255));
}

TEST_F(DemoGain_GUITest, UpdatesMoveTheMatchingControlOnly)
{
    ASSERT_TRUE(StartCompanion(ManyPresets()));
    DemoGain_View* view = OpenWindow();
    ASSERT_NE(view, nullptr);
    // Indexes stored in single precision come back a hair low; the menu shows the number the
    // request sends.
    for (int index = 0; index < 60; ++index)
    {
        parameters.Define("Men1", index * 0.01);
        gui->ParameterUpdated("Men1");
        EXPECT_EQ(ControlOf<DemoGain_MenuVST>(view, "Men1")->getValue(), static_cast<float>(index));
        EXPECT_EQ(Sent("presets: ["), index);
    }
    parameters.Define("minfr", 0.0001);
    gui->ParameterUpdated("minfr");
    EXPECT_STREQ(ControlOf<CTextEdit>(view, "minfr")->getText(), "19");
    parameters.Define("maxfr", 0.125);
    gui->ParameterUpdated("maxfr");
    EXPECT_STREQ(ControlOf<CTextEdit>(view, "maxfr")->getText(), "24000");
    // No fifth tool, an unknown and a differently cased identifier: nothing happens.
    parameters.Define("Par5", 1.0);
    EXPECT_EQ(gui->ParameterUpdated("Par5"), kResultSuccess);
    EXPECT_EQ(gui->ParameterUpdated("par1"), kResultSuccess);
    EXPECT_EQ(gui->ParameterUpdated("Nope"), kResultSuccess);
    EXPECT_EQ(gui->ParameterUpdated(nullptr), kResultSuccess);
    EXPECT_EQ(view->ControlFor("Par1")->getValue(), 0.0f);

    parameters.Define("Comm", 0.2);
    EXPECT_EQ(gui->TimerWakeup(), kResultSuccess);
    EXPECT_STREQ(view->GetStatusLabel()->getText(), "Please open Orvendal QV app.");
}

TEST_F(DemoGain_GUITest, RestoredBoundsShowTheHertzTheRequestSends)
{
    ASSERT_TRUE(StartCompanion(ManyPresets()));
    DemoGain_View* view = OpenWindow();
    ASSERT_NE(view, nullptr);
    parameters.Define("chkfr", 1.0);
    const CTextEdit* lower = ControlOf<CTextEdit>(view, "minfr");
    const CTextEdit* upper = ControlOf<CTextEdit>(view, "maxfr");
    // Around every 331st whole hertz: hundredths, and the floats either side of each.
    int differing = 0;
    for (int whole = 1; whole < 48000; whole += 331)
        for (int hundredths = -100; hundredths <= 100; ++hundredths)
        {
            const float at = static_cast<float>((whole + hundredths * 0.01) / 192000.0);
            for (float value : {std::nextafter(at, 0.0f), at, std::nextafter(at, 1.0f)})
            {
                parameters.Define("minfr", value);
                gui->ParameterUpdated("minfr");
                differing += std::to_string(Sent("rangeLow: ")) != lower->getText();
                parameters.Define("maxfr", value);
                gui->ParameterUpdated("maxfr");
                differing += std::to_string(Sent("rangeHigh: ")) != upper->getText();
            }
        }
    EXPECT_EQ(differing, 0);
}

TEST_F(DemoGain_GUITest, WithoutAWindowUpdatesAndTicksDoNothing)
{
    ASSERT_EQ(gui->Initialize(hostObjects.Context()), kResultSuccess);
    EXPECT_EQ(static_cast<DemoGain_GUI*>(gui)->GetView(), nullptr);
    EXPECT_EQ(gui->ParameterUpdated("Par1"), kResultSuccess);
    EXPECT_EQ(gui->TimerWakeup(), kResultSuccess);
    AAX_Point size{-1, -1};
    EXPECT_EQ(gui->GetViewSize(&size), kResultSuccess);
    EXPECT_EQ(size.horz, -1.0f);

    // A container of another type, or without a native view, builds no view either.
    ACFPtr<orv::host::HostViewContainer> other(
        new orv::host::HostViewContainer(this->view.getNativeHandle(), 2));
    EXPECT_EQ(gui->SetViewContainer(other.get()), kResultSuccess);
    EXPECT_EQ(static_cast<DemoGain_GUI*>(gui)->GetView(), nullptr);
    ACFPtr<orv::host::HostViewContainer> none(new orv::host::HostViewContainer(nullptr));
    EXPECT_EQ(gui->SetViewContainer(none.get()), kResultSuccess);
    EXPECT_EQ(static_cast<DemoGain_GUI*>(gui)->GetView(), nullptr);
}

TEST_F(DemoGain_GUITest, TheLogoLoadsOnceForEveryEditor)
{
    ASSERT_EQ(gui->Initialize(hostObjects.Context()), kResultSuccess);
    CBitmap* logo = DemoGain_View::m_hLogo;
    ASSERT_NE(logo, nullptr);
    // A test program is no bundle: the logo cannot be found and is empty.
    EXPECT_EQ(logo->getWidth(), 0);
    AAX_IEffectGUI* second = DemoGain_GUI::Create();
    second->AddRef();
    EXPECT_EQ(second->Initialize(hostObjects.Context()), kResultSuccess);
    EXPECT_EQ(DemoGain_View::m_hLogo, logo);
    second->Release();

    // The empty logo gives an empty button at the right edge.
    DemoGain_View* view = OpenWindow();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLogoButton()->getViewSize(), CRect(520, 40, 520, 40));
}

} // namespace
