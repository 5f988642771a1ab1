#include "EditorCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "CheckContext.h"
#include "FaultCompanion.h"
#include "TempFolder.h"

namespace
{

using orv::host::validator::EditorCheck;
using orv::host::validator::CheckContext;
using orv::host::validator::FaultCompanion;
using orv::test::TempFolder;

struct CheckRun
{
    CheckRun()
    {
        CheckContext::Settings settings;
        settings.modulePath = ORV_BUNDLE_DIR;
        settings.artifactFolder = folder / "evidence";
        settings.seed = 11;
        settings.strictness = 3;
        context = std::make_unique<CheckContext>(
            settings, "editor", [this](const std::string& step) { steps += step + "\n"; }, report);
    }

    TempFolder folder;
    std::ostringstream report;
    std::string steps;
    std::unique_ptr<CheckContext> context;
};

TEST(EditorCheck, PassesOnTheModuleWithAndWithoutTheCompanion)
{
    const std::string path = std::getenv("PATH");
    CheckRun run;
    EditorCheck().Run(*run.context);
    EXPECT_FALSE(run.context->Failed()) << run.report.str();
    EXPECT_FALSE(std::filesystem::exists(run.folder / "evidence"));
    EXPECT_NE(run.report.str().find("14 openings"), std::string::npos) << run.report.str();
    // Both kinds of opening, every control and the status line were gone through.
    for (const char* step :
         {"opening 1 with the companion: timer ticks", "opening 2 without a companion: timer ticks",
          "the host sets Par", "the host sets Men", "the host sets chkfr", "the host sets minfr",
          "the host sets maxfr", "closing"})
        EXPECT_NE(run.steps.find(step), std::string::npos) << step << "\n" << run.steps;
    // What the check changed in the environment is back.
    EXPECT_EQ(std::getenv("PATH"), path);
}

TEST(EditorCheck, APortTakenByAnotherProgramFailsTheCheckWithAClearMessage)
{
    FaultCompanion other;
    ASSERT_TRUE(other.Start());
    CheckRun run;
    EditorCheck().Run(*run.context);
    EXPECT_TRUE(run.context->Failed());
    EXPECT_NE(run.report.str().find("port 51121 is taken"), std::string::npos) << run.report.str();
}

} // namespace
