#include "DemoGain_View.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "CMenuItem.h"
#include "CTextEdit.h"
#include "CTextLabel.h"
#include "CarriedCount.h"
#include "DemoGain_Colors.h"
#include "DemoGain_KickButtonVST.h"
#include "DemoGain_MenuVST.h"
#include "DemoGain_OnOffButtonVSTvect.h"
#include "EditorFixture.h"
#include "CompanionEndpoint.h"
#include "ForeignListener.h"
#include "EditorLayout.h"

using namespace VSTGUI;
using orv::test::EditorFixture;

namespace
{

using orv::host::validator::ForeignListener;
using orv::host::validator::OtherUser;

constexpr double kHz = 192000.0;

struct DemoGain_ViewTest : ::testing::Test, EditorFixture
{
    ~DemoGain_ViewTest() override
    {
        if (editorView) editorView->forget();
    }
    DemoGain_View* Open()
    {
        editorView = new DemoGain_View(view.getNativeHandle(), &parameters, nullptr, &container);
        return editorView;
    }
    double LastSet(const std::string& id) const
    {
        for (auto it = parameters.SetRequests().rbegin(); it != parameters.SetRequests().rend();
             ++it)
            if (it->first == id) return it->second;
        return -1.0;
    }
    std::string Text(CTextLabel* label) const { return label ? label->getText() : "(none)"; }

    DemoGain_View* editorView = nullptr;
};

TEST_F(DemoGain_ViewTest, ThreeToolsGiveRowsARangeRowAndTheStatusLineAtTheirPlaces)
{
    ASSERT_TRUE(StartCompanion(kThreeTools));
    DemoGain_View* v = Open();
    EXPECT_EQ(companion.Requests(), std::vector<std::string>{"{request:\"parameters\"}\n"});
    EXPECT_EQ(v->getViewSize(), CRect(0, 0, 540, 360));
    EXPECT_EQ(view.getFrameRect(), CRect(0, 0, 540, 360));
    EXPECT_EQ(v->GetCompanionInfo().infoStatus, 30);
    EXPECT_NEAR(LastSet("NTools"), 0.03, 1e-9);
    for (int i = 0; i < 3; ++i)
    {
        const CCoord y = 80 + 40 * i;
        const CControl* button = v->ControlFor(OfflineParameterIDs::kToolSwitch[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->getViewSize(), CRect(40, y, 60, y + 20));
        EXPECT_EQ(button->getTag(), i + 1);
    }
    EXPECT_EQ(v->ControlFor("Par4"), nullptr);
    DemoGain_MenuVST* menu = ControlOf<DemoGain_MenuVST>(v, "Men2");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getViewSize(), CRect(300, 118, 500, 142));
    EXPECT_EQ(menu->getNbEntries(), 3);
    EXPECT_STREQ(menu->getEntry(2)->getTitle(), "Soft");
    EXPECT_EQ(ControlOf<DemoGain_MenuVST>(v, "Men3"), nullptr); // Band has no presets
    EXPECT_EQ(v->ControlFor("chkfr")->getViewSize(), CRect(40, 240, 60, 260));
    EXPECT_EQ(ControlOf<CTextEdit>(v, "minfr")->getViewSize(), CRect(240, 238, 310, 262));
    EXPECT_EQ(ControlOf<CTextEdit>(v, "maxfr")->getViewSize(), CRect(386, 236, 456, 264));
    EXPECT_EQ(v->GetStatusLabel()->getViewSize(), CRect(20, 318, 520, 342));
    EXPECT_EQ(Text(v->GetStatusLabel()), "GUI Init");
    EXPECT_EQ(Text(v->GetVersionLabel()), "Orvendal QV (ver.2.0)");
    // The upper bound starts at the range maximum.
    EXPECT_NEAR(LastSet("maxfr"), 24000 / kHz, 1e-9);
    EXPECT_NEAR(parameters.DefaultValue("maxfr"), 24000 / kHz, 1e-9);
    EXPECT_TRUE(std::filesystem::is_empty(bin.Path()));
}

TEST_F(DemoGain_ViewTest, WithoutACompanionItLaunchesOneAndAsksForAReopen)
{
    InstallFakeCompanionProgram();
    DemoGain_View* v = Open();
    EXPECT_EQ(v->GetCompanionInfo().infoStatus, DemoGain_View::kInfoLaunched);
    EXPECT_EQ(v->getViewSize(), CRect(0, 0, 540, 240));
    EXPECT_EQ(v->GetStatusLabel()->getViewSize(), CRect(20, 198, 520, 222));
    EXPECT_EQ(v->ControlFor("Par1"), nullptr);
    EXPECT_EQ(v->ControlFor("chkfr"), nullptr);
    EXPECT_EQ(ControlOf<CTextEdit>(v, "minfr"), nullptr);
    EXPECT_EQ(LastSet("NTools"), 0.0);
    for (int attempt = 0; attempt < 500 && !std::filesystem::exists(bin / "launched"); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(bin / "launched"));

    // Whatever "Comm" says, every tick repeats the request to reopen.
    parameters.Define("Comm", 0.05);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Orvendal QV app launched - Please re-open the plugin.");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
    ASSERT_TRUE(view.render());
    bool redText = false;
    for (int x = 20; x < 520 && !redText; ++x)
        for (int y = 198; y < 222 && !redText; ++y)
        {
            const CColor c = view.getPixel(x, y);
            redText = c.red > 200 && c.green < 80 && c.blue < 80;
        }
    EXPECT_TRUE(redText);
}

TEST_F(DemoGain_ViewTest, WithNothingToLaunchItSaysTheCompanionIsMissing)
{
    DemoGain_View* v = Open();
    EXPECT_EQ(v->GetCompanionInfo().infoStatus, DemoGain_View::kInfoLaunchFailed);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Orvendal QV app not installed?");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
}

TEST_F(DemoGain_ViewTest, APeerThatHoldsThePortButDoesNotAnswerIsNamedAndNothingLaunched)
{
    using orv::test::FaultCompanion;
    InstallFakeCompanionProgram();
    struct Case
    {
        FaultCompanion::Behaviour behaviour;
        std::string answer;
        int32 status;
        const char* text;
    };
    const Case cases[] = {
        {FaultCompanion::Behaviour::kGoSilent, "", CompanionInfo::kInfoNoAnswer,
         "Orvendal QV app does not answer."},
        {FaultCompanion::Behaviour::kAnswerParameters, "{\"version\":\"2.0\"} and garbage",
         CompanionInfo::kInfoUnreadable, "Orvendal QV app answer could not be read."},
    };
    for (const Case& c : cases)
    {
        companion.SetBehaviour(c.behaviour);
        companion.SetAnswer(c.answer);
        ASSERT_TRUE(companion.Start());
        const auto start = std::chrono::steady_clock::now();
        DemoGain_View* v = Open();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::seconds(4)) << c.text;
        EXPECT_EQ(v->GetCompanionInfo().infoStatus, c.status) << c.text;
        EXPECT_EQ(v->ControlFor("Par1"), nullptr);
        v->TimerWakeup();
        EXPECT_EQ(Text(v->GetStatusLabel()), c.text);
        EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
        editorView->forget();
        editorView = nullptr;
        companion.Stop();
    }
    EXPECT_FALSE(std::filesystem::exists(bin / "launched"));
}

TEST_F(DemoGain_ViewTest, AnotherUsersListenerGetsNothingAndNoCompanionIsLaunched)
{
    if (!OtherUser::Available()) GTEST_SKIP() << "only root can become another user";
    InstallFakeCompanionProgram();
    ForeignListener foreign(kCompanionPort);
    ASSERT_EQ(foreign.Port(), kCompanionPort);
    DemoGain_View* v = Open();
    EXPECT_EQ(v->GetCompanionInfo().infoStatus, CompanionInfo::kInfoForeignListener);
    EXPECT_EQ(foreign.Stop(), 0);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Another user's program holds the Orvendal QV port.");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(bin / "launched"));
}

TEST_F(DemoGain_ViewTest, StatusLineFollowsComm)
{
    ASSERT_TRUE(StartCompanion(kThreeTools));
    DemoGain_View* v = Open();
    parameters.Define("Comm", 0.05);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), DemoGain_Colors::kGrey);
    parameters.Define("Comm", 0.08);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Please open Orvendal QV app.");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
    parameters.Define("Comm", 0.27f); // as the parameter holds it, a little off 0.27
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Orvendal QV app stopped before finishing.");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
    parameters.Define("Comm", 0.22f);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Orvendal QV app could not process the audio.");
    parameters.Define("Comm", 0.29f);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Orvendal QV app stopped answering.");
    parameters.Define("Comm", 0.28f);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "Another user's program holds the Orvendal QV port.");
    EXPECT_EQ(v->GetStatusLabel()->getFontColor(), kRedCColor);
    parameters.Define("Comm", 0.05);
    v->TimerWakeup();
    EXPECT_EQ(Text(v->GetStatusLabel()), "");
}

TEST_F(DemoGain_ViewTest, ClicksBecomeTouchSetAndReleaseRequests)
{
    ASSERT_TRUE(StartCompanion(kThreeTools));
    Open();
    view.click(CPoint(50, 130)); // second tool's check box
    EXPECT_EQ(LastSet("Par2"), 1.0);
    EXPECT_EQ(parameters.Touches(), std::vector<std::string>{"Par2"});
    EXPECT_EQ(parameters.Releases(), std::vector<std::string>{"Par2"});

    view.click(CPoint(400, 90)); // first tool's menu
    ASSERT_TRUE(view.isMenuOpen());
    ASSERT_TRUE(view.chooseMenuEntry("+6 dB"));
    EXPECT_NEAR(LastSet("Men1"), 0.01, 1e-7);
    EXPECT_EQ(parameters.Touches().back(), "Men1");
    EXPECT_EQ(parameters.Releases().back(), "Men1");

    view.click(CPoint(50, 250)); // range check box
    EXPECT_EQ(LastSet("chkfr"), 1.0);
    EXPECT_EQ(parameters.Releases().back(), "chkfr");
}

TEST_F(DemoGain_ViewTest, RangeStepsKeepTheBoundsApartAndWithinTheRange)
{
    ASSERT_TRUE(StartCompanion(kThreeTools));
    DemoGain_View* v = Open();
    parameters.Define("maxfr", 20000 / kHz);
    parameters.Define("minfr", 19990 / kHz);
    const size_t touches = parameters.Touches().size();
    // Upper bound 20000, lower 19990: a plus stops 20 Hz below the upper bound.
    view.click(CPoint(321, 245));
    EXPECT_NEAR(LastSet("minfr") * kHz, 19980, 0.01);
    EXPECT_STREQ(ControlOf<CTextEdit>(v, "minfr")->getText(), "19980");
    EXPECT_EQ(parameters.Touches().size(), touches); // the steps have no edit bracket

    // One ordinary click moves a bound by 20 Hz (two notifications).
    parameters.Define("minfr", 1000 / kHz);
    view.click(CPoint(321, 245));
    EXPECT_NEAR(parameters.Value("minfr") * kHz, 1020, 0.01);
    view.click(CPoint(321, 259)); // minus
    EXPECT_NEAR(parameters.Value("minfr") * kHz, 1000, 0.01);
    parameters.Define("minfr", 5 / kHz);
    view.click(CPoint(321, 259));
    EXPECT_EQ(LastSet("minfr"), 0.0);

    // The upper bound stops at the range maximum and stays 20 Hz above the lower one.
    parameters.Define("maxfr", 23995 / kHz);
    view.click(CPoint(467, 245));
    EXPECT_NEAR(LastSet("maxfr") * kHz, 24000, 0.01);
    parameters.Define("minfr", 1000 / kHz);
    parameters.Define("maxfr", 1025 / kHz);
    view.click(CPoint(467, 259));
    EXPECT_NEAR(LastSet("maxfr") * kHz, 1020, 0.01);
    EXPECT_STREQ(ControlOf<CTextEdit>(v, "maxfr")->getText(), "1020");
}

TEST_F(DemoGain_ViewTest, TypedBoundsAreClampedAndWrittenBack)
{
    ASSERT_TRUE(StartCompanion(kThreeTools));
    DemoGain_View* v = Open();
    parameters.Define("maxfr", 20000 / kHz);
    auto type = [&](const CPoint& where, const std::string& text)
    {
        view.click(where);
        ASSERT_TRUE(view.isTextEditOpen());
        ASSERT_TRUE(view.setEditText(text));
        ASSERT_TRUE(view.commitTextEdit());
    };
    type(CPoint(270, 250), "-5");
    EXPECT_EQ(LastSet("minfr"), 0.0);
    EXPECT_STREQ(ControlOf<CTextEdit>(v, "minfr")->getText(), "0");
    EXPECT_EQ(parameters.Touches().back(), "minfr");
    EXPECT_EQ(parameters.Releases().back(), "minfr");
    type(CPoint(270, 250), "abc");
    EXPECT_EQ(LastSet("minfr"), 0.0);
    type(CPoint(270, 250), "nan");
    EXPECT_EQ(LastSet("minfr"), 0.0);
    type(CPoint(270, 250), "30000");
    EXPECT_NEAR(LastSet("minfr") * kHz, 19980, 0.01);

    type(CPoint(420, 250), "300000");
    EXPECT_NEAR(LastSet("maxfr") * kHz, 24000, 0.01);
    EXPECT_STREQ(ControlOf<CTextEdit>(v, "maxfr")->getText(), "24000");
    parameters.Define("minfr", 5000 / kHz);
    type(CPoint(420, 250), "4000");
    EXPECT_NEAR(LastSet("maxfr") * kHz, 5020, 1e-3);
    EXPECT_EQ(parameters.Releases().back(), "maxfr");
}

// Five tools, the first with the most presets an answer carries (unnamed, to stay within the
// answer's 400 bytes), and the widest range.
std::string FiveToolsManyPresets()
{
    std::string presets = "\"\"";
    for (int i = 1; i < CompanionInfo::kMaxPresets; ++i)
        presets += ",\"\"";
    return "{\"version\":\"2.0\",\"tools\":[\"A\",\"B\",\"C\",\"D\",\"E\"],\"presets\":[[" +
           presets + "],[],[],[],[]],\"rangeMax\":96000}";
}

TEST_F(DemoGain_ViewTest, CountsAreStoredAsDoublesAndTheFieldsShowWhatIsSent)
{
    ASSERT_TRUE(StartCompanion(FiveToolsManyPresets()));
    DemoGain_View* v = Open();
    EXPECT_EQ(static_cast<float>(parameters.Value("NTools")), static_cast<float>(0.05));
    DemoGain_MenuVST* menu = ControlOf<DemoGain_MenuVST>(v, "Men1");
    ASSERT_EQ(menu->getNbEntries(), CompanionInfo::kMaxPresets);
    for (int k = 0; k < menu->getNbEntries(); ++k)
    {
        menu->setValue(static_cast<float>(k));
        v->valueChanged(menu);
        EXPECT_EQ(static_cast<float>(parameters.Value("Men1")), static_cast<float>(k * 0.01)) << k;
        EXPECT_EQ(Sent("presets: ["), k);
    }

    // Typed: every hundredth of a hertz over one hertz in 97 across the range.
    parameters.Define("chkfr", 1.0);
    parameters.Define("maxfr", 0.5);
    CTextEdit* field = ControlOf<CTextEdit>(v, "minfr");
    int differing = 0;
    for (int whole = 0; whole < 96000; whole += 97)
        for (int hundredths = 0; hundredths < 100; ++hundredths)
        {
            field->setText(
                (std::to_string(whole) + "." + std::to_string(100 + hundredths).substr(1)).c_str());
            v->valueChanged(field);
            differing += std::to_string(Sent("rangeLow: ")) != field->getText();
        }
    EXPECT_EQ(differing, 0);

    // Stepped, from bounds restored at every float between two whole hertz.
    const CCoord steps = EditorLayout::RangeRowTop(5);
    float low = 1000.0f / kHz;
    while (low * kHz < 1001.0)
    {
        parameters.Define("minfr", low);
        view.click(CPoint(321, steps + 5));
        differing += std::to_string(Sent("rangeLow: ")) != field->getText();
        parameters.Define("maxfr", low + 0.25f);
        view.click(CPoint(467, steps + 19));
        differing +=
            std::to_string(Sent("rangeHigh: ")) != ControlOf<CTextEdit>(v, "maxfr")->getText();
        low = std::nextafter(low, 1.0f);
    }
    EXPECT_EQ(differing, 0);
    EXPECT_NEAR(parameters.Value("minfr") * kHz, 1021, 0.01) << "the last plus moved 20 Hz";
}

} // namespace
