// The offline check on the built module, as the validator runs it (here in the test's own
// process), with the check's loopback companion on port 51121.

#include "OfflineCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CheckContext.h"
#include "FaultCompanion.h"
#include "OfflinePass.h"
#include "TemporaryFolder.h"

// The libraries the module brings in (the editor's drawing stack) keep blocks from their
// static initialisation for the life of the process; they are not the offline run's.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:_dl_init\nleak:libfontconfig.so\n";
}

namespace
{

using namespace orv::host::validator;

struct CheckRun
{
    explicit CheckRun(int strictness)
    {
        CheckContext::Settings settings;
        settings.modulePath = ORV_BUNDLE_DIR;
        settings.artifactFolder = folder / "evidence";
        settings.companionPath = ORV_COMPANION_EXE;
        settings.seed = 7;
        settings.strictness = strictness;
        context = std::make_unique<CheckContext>(
            settings, "offline", [this](const std::string& step) { steps.push_back(step); },
            report);
    }
    bool StepNamed(const std::string& part) const
    {
        for (const auto& step : steps)
            if (step.find(part) != std::string::npos) return true;
        return false;
    }

    TemporaryFolder folder;
    std::ostringstream report;
    std::vector<std::string> steps;
    std::unique_ptr<CheckContext> context;
};

TEST(OfflineCheck, PassesOnTheModuleAndSeesEveryCompanionFaultReported)
{
    CheckRun run(3);
    OfflineCheck().Run(*run.context);
    const std::string report = run.report.str();
    EXPECT_FALSE(run.context->Failed()) << report;
    EXPECT_FALSE(std::filesystem::exists(run.folder / "evidence")) << report;
    EXPECT_NE(report.find(" 0 failed"), std::string::npos) << report;
    // The real companion took its pass (and gave the selection back unchanged, as no tool
    // was on).
    EXPECT_EQ(report.find("left out"), std::string::npos) << report;

    // Every behaviour ran; every faulty one ended in a failure code, the good one in 5.
    for (int kind = 0; kind < OfflinePass::kAllCompanionKinds; ++kind)
    {
        const auto companion = static_cast<OfflinePass::Companion>(kind);
        const std::string line = std::string(OfflinePass::Name(companion)) + ": \"Comm\" codes ";
        const size_t at = report.find(line);
        ASSERT_NE(at, std::string::npos) << line << "\n" << report;
        const std::string codes =
            report.substr(at + line.size(), report.find('\n', at) - at - line.size());
        const bool mayPass = companion == OfflinePass::Companion::kNonFiniteSamples;
        if (companion == OfflinePass::Companion::kProcesses)
        {
            EXPECT_EQ(codes, "5");
        }
        else if (companion == OfflinePass::Companion::kFailureAnswer)
        {
            EXPECT_EQ(codes, "22");
        }
        else if (companion == OfflinePass::Companion::kClosesUnprocessed ||
                 companion == OfflinePass::Companion::kKilled)
        {
            EXPECT_EQ(codes, "27");
        }
        else if (companion == OfflinePass::Companion::kSilent)
        {
            EXPECT_EQ(codes, "29");
        }
        else if (!mayPass)
        {
            // Code 5 among the codes, not a digit of 58, say.
            EXPECT_EQ((", " + codes + ",").find(", 5,"), std::string::npos) << line << codes;
        }
    }
    // The steps the watchdog reports name the pass.
    EXPECT_TRUE(run.StepNamed("window 16384, ")) << run.steps.size();
    EXPECT_TRUE(run.StepNamed(" 12345 Hz, "));
    EXPECT_TRUE(run.StepNamed("1000000 samples"));
    EXPECT_TRUE(run.StepNamed(", rendered in place"));
}

TEST(OfflineCheck, APortTakenByAnotherProgramFailsTheCheckWithAClearMessage)
{
    FaultCompanion other;
    ASSERT_TRUE(other.Start());
    CheckRun run(1);
    OfflineCheck().Run(*run.context);
    EXPECT_TRUE(run.context->Failed());
    EXPECT_NE(run.report.str().find("port 51121 is taken"), std::string::npos) << run.report.str();
}

TEST(OfflineCheck, AMissingModuleFailsTheCheck)
{
    CheckRun run(1);
    CheckContext::Settings settings;
    settings.modulePath = run.folder / "nothing.aaxplugin";
    CheckContext context(settings, "offline", nullptr, run.report);
    OfflineCheck().Run(context);
    EXPECT_TRUE(context.Failed());
    EXPECT_NE(run.report.str().find("cannot load the module"), std::string::npos);
}

} // namespace
