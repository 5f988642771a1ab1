// The parameter, state and thread checks against the real module pass at full strictness
// and leave no evidence; against the module broken on purpose they catch its faults.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "CheckRun.h"
#include "ParameterFuzzCheck.h"
#include "StateCheck.h"
#include "TempFolder.h"
#include "ThreadCheck.h"

namespace orv::test
{
namespace
{
using host::validator::ParameterFuzzCheck;
using host::validator::StateCheck;
using host::validator::ThreadCheck;

bool Empty(const std::string& folder)
{
    return !std::filesystem::exists(folder) || std::filesystem::is_empty(folder);
}

// The fuzz, state and thread checks, each made anew for one test.
std::vector<std::unique_ptr<host::validator::ValidationCheck>> FuzzStateAndThreadChecks()
{
    std::vector<std::unique_ptr<host::validator::ValidationCheck>> checks;
    checks.push_back(std::make_unique<ParameterFuzzCheck>());
    checks.push_back(std::make_unique<StateCheck>());
    checks.push_back(std::make_unique<ThreadCheck>());
    return checks;
}

TEST(ParameterChecks, RealModulePassesAtFullStrictness)
{
    TempFolder evidence;
    for (const auto& check : FuzzStateAndThreadChecks())
    {
        CheckRun run(*check, ORV_BUNDLE_DIR, evidence / check->Name());
        EXPECT_EQ(run.failures, 0) << check->Name() << ":\n" << run.report.str();
        EXPECT_EQ(run.report.str().find("FAIL"), std::string::npos) << run.report.str();
        EXPECT_TRUE(Empty(evidence / check->Name())) << check->Name() << " left evidence";
        // Every check says what it did, so a pass that did nothing shows.
        EXPECT_NE(run.report.str().find(check->Name()), std::string::npos) << check->Name();
    }
}

TEST(ParameterChecks, FuzzReportsWhatItSentAndRefusesUnknownIdentifiers)
{
    TempFolder evidence;
    ParameterFuzzCheck fuzz;
    CheckRun run(fuzz, ORV_MODULE_FILE, evidence.Path(), 1);
    EXPECT_EQ(run.failures, 0) << run.report.str();
    // 46 parameters, each with 0, 1, ten random values at strictness 1 and five out of range.
    EXPECT_NE(run.report.str().find("782 values sent to 46 parameters"), std::string::npos)
        << run.report.str();
    // The last step is the unknown-identifier pass, not a value of some parameter.
    EXPECT_NE(run.lastStep.find("unknown identifiers"), std::string::npos) << run.lastStep;
}

TEST(ParameterChecks, ModuleThatCannotLoadFailsEachCheck)
{
    TempFolder evidence;
    for (const auto& check : FuzzStateAndThreadChecks())
    {
        CheckRun run(*check, evidence / "missing.so", evidence.Path());
        EXPECT_EQ(run.failures, 1) << check->Name();
        EXPECT_NE(run.report.str().find("cannot load the module"), std::string::npos)
            << run.report.str();
    }
}

TEST(BrokenModule, StateCheckCatchesTheChunkThatIsNeverTheSame)
{
    TempFolder evidence;
    StateCheck state;
    CheckRun run(state, ORV_BROKEN_BUNDLE_DIR, evidence.Path(), 2);
    EXPECT_GE(run.failures, 1);
    const std::string report = run.report.str();
    EXPECT_NE(report.find("saving twice without a change gives different chunks"),
              std::string::npos)
        << report;
    // Only that: restoring still gives the same values at float precision.
    EXPECT_EQ(report.find("restored values differ"), std::string::npos) << report;
    EXPECT_TRUE(std::filesystem::exists(evidence / "state-round0-first.chunk"));
    EXPECT_TRUE(std::filesystem::exists(evidence / "state-round0-second.chunk"));
    EXPECT_TRUE(std::filesystem::exists(evidence / "state-round0-original.values.txt"));
}

TEST(BrokenModule, FuzzCrashesOnTheBrokenParameterAndNamesIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempFolder evidence;
    ParameterFuzzCheck fuzz;
    // The child announces each step; the last one before the crash names the parameter.
    const auto runAnnouncingSteps = [&]
    {
        host::validator::CheckContext::Settings settings;
        settings.modulePath = ORV_BROKEN_BUNDLE_DIR;
        settings.artifactFolder = evidence.Path();
        std::ostringstream report;
        host::validator::CheckContext context(
            settings, fuzz.Name(),
            [](const std::string& step) { fprintf(stderr, "step: %s\n", step.c_str()); }, report);
        fuzz.Run(context);
    };
    EXPECT_DEATH(runAnnouncingSteps(), "step: value of text \"[0-9.]+\" for maxfr");
}

TEST(BrokenModule, ThreadCheckStillPasses)
{
    TempFolder evidence;
    ThreadCheck threads;
    CheckRun run(threads, ORV_BROKEN_BUNDLE_DIR, evidence.Path(), 2);
    EXPECT_EQ(run.failures, 0) << run.report.str();
}

// Sets the broken module's fault for one test; the module reads it with each new instance.
class BrokenFault
{
public:
    explicit BrokenFault(const char* fault) { ::setenv("ORV_BROKEN_FAULT", fault, 1); }
    ~BrokenFault() { ::unsetenv("ORV_BROKEN_FAULT"); }
};

TEST(BrokenModule, EachSingleFaultFailsTheCheckThatLooksForIt)
{
    StateCheck state;
    ThreadCheck threads;
    const struct
    {
        const char* fault;
        host::validator::ValidationCheck& check;
        const char* message;
        const char* evidence;
    } cases[] = {
        {"bypass", state, "the chunk changes with the master bypass MasterBypassID",
         "state-bypass-after.chunk"},
        {"packets", threads, "packet of field 1 holds 2, a value Par1 never had",
         "threads-packets.txt"},
    };
    for (const auto& entry : cases)
    {
        SCOPED_TRACE(entry.fault);
        BrokenFault fault(entry.fault);
        TempFolder evidence;
        CheckRun run(entry.check, ORV_BROKEN_BUNDLE_DIR, evidence.Path(), 2);
        EXPECT_EQ(run.failures, 1) << run.report.str();
        EXPECT_NE(run.report.str().find(entry.message), std::string::npos) << run.report.str();
        EXPECT_TRUE(std::filesystem::exists(evidence / entry.evidence));
    }
}

} // namespace
} // namespace orv::test
