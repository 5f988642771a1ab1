// The scan, lifecycle and parameter-table checks on the built plug-in (they pass) and on a
// small module that shows one fault at a time (the right check fails, naming the fault).

#include <gtest/gtest.h>

#include <stdlib.h>

#include <sstream>
#include <string>

#include "LifecycleCheck.h"
#include "ParameterTableCheck.h"
#include "ScanCheck.h"
#include "TempFolder.h"
#include "ValidationRunner.h"

using namespace orv::host::validator;

namespace
{

constexpr const char* kFaultVariable = "ORV_VALIDATOR_FAULT";

std::vector<std::unique_ptr<ValidationCheck>> ChecksNamed(const std::string& only)
{
    std::vector<std::unique_ptr<ValidationCheck>> all;
    all.push_back(std::make_unique<ScanCheck>());
    all.push_back(std::make_unique<LifecycleCheck>());
    all.push_back(std::make_unique<ParameterTableCheck>());
    std::vector<std::unique_ptr<ValidationCheck>> chosen;
    for (auto& check : all)
        if (only.empty() || only == check->Name()) chosen.push_back(std::move(check));
    return chosen;
}

struct ValidationRun
{
    ValidationRunner::Totals totals;
    std::string text;
};

ValidationRun Validate(const std::string& module, int strictness,
                       const std::string& only = std::string())
{
    orv::test::TempFolder folder;
    ValidationRunner::Settings settings;
    settings.modulePath = module;
    settings.evidenceFolder = folder / "evidence";
    settings.strictness = strictness;
    std::ostringstream out;
    ValidationRun run;
    run.totals = ValidationRunner(settings, out).Run(ChecksNamed(only));
    run.text = out.str();
    return run;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(ModuleChecks, ThePlugInPassesAtFullStrictness)
{
    const ValidationRun run = Validate(ORV_BUNDLE_DIR, 10);
    SCOPED_TRACE(run.text);
    EXPECT_EQ(run.totals.passed, 3);
    EXPECT_EQ(run.totals.failed, 0);
    EXPECT_TRUE(Has(run.text, "PASS scan ("));
    EXPECT_TRUE(Has(run.text, "PASS lifecycle ("));
    EXPECT_TRUE(Has(run.text, "PASS parameters ("));
    EXPECT_TRUE(Has(run.text, "  scan: load, start-up, registration and shutdown: best "));
    EXPECT_TRUE(Has(run.text, "  parameters: 46 parameters\n"));
}

TEST(ModuleChecks, EachFaultFailsTheCheckThatLooksForIt)
{
    // Without a fault the small module passes, so every failure below is the fault's.
    ::unsetenv(kFaultVariable);
    const ValidationRun clean = Validate(ORV_FAULT_MODULE, 3);
    ASSERT_EQ(clean.totals.failed, 0) << clean.text;
    EXPECT_TRUE(Has(clean.text, "  parameters: 3 parameters\n")) << clean.text;

    struct Case
    {
        const char* fault;
        const char* check;
        const char* message;
    };
    const Case cases[] = {
        {"slow-load", "scan", ", over the budget of 100 ms"},
        {"junk-on-refusal", "scan", "but leaves the out pointer set"},
        {"loose-interface-match", "scan",
         "answers the unknown interface B7E40C52-6D31-4A8F-B219-"
         "5E7AC4030194"},
        {"counted-twice", "scan",
         "component of procedure 0 counts 10 references after the questions"},
        {"lingering-component", "lifecycle", "ACFCanUnloadNow is 1 after the "},
        {"duplicate-id", "parameters", "the identifier \"Gain\" appears twice"},
        {"no-bypass", "parameters", "the table has 0 parameters \"MasterBypassID\", not one"},
        {"empty-name", "parameters", "parameter 2 \"Mix\" has no name"},
        {"default-out-of-range", "parameters", "\"Gain\" has the default 1.5, outside 0..1"},
        {"value-not-default", "parameters", "\"Gain\" starts at 0.75, not at its default 0.5"},
    };
    for (const Case& fault : cases)
    {
        ::setenv(kFaultVariable, fault.fault, 1);
        const ValidationRun run = Validate(ORV_FAULT_MODULE, 3, fault.check);
        SCOPED_TRACE(std::string(fault.fault) + "\n" + run.text);
        EXPECT_EQ(run.totals.failed, 1);
        EXPECT_TRUE(Has(run.text, std::string("FAIL ") + fault.check + " ("));
        EXPECT_TRUE(Has(run.text, fault.message));
    }
    ::unsetenv(kFaultVariable);
}

TEST(ModuleChecks, ACrashIsReportedWithTheStepItHappenedIn)
{
    ::setenv(kFaultVariable, "crash-on-second-close", 1);
    const ValidationRun run = Validate(ORV_FAULT_MODULE, 2);
    ::unsetenv(kFaultVariable);
    SCOPED_TRACE(run.text);
    // Only the lifecycle closes a component twice; the other checks still run and pass.
    EXPECT_EQ(run.totals.passed, 2);
    EXPECT_EQ(run.totals.failed, 1);
    EXPECT_TRUE(Has(run.text, "CRASH lifecycle: "));
    EXPECT_TRUE(Has(run.text, " after \"uninitialise a second time the component of procedure "
                              "0\"\n"));
    EXPECT_TRUE(Has(run.text, "PASS parameters ("));
}

TEST(ModuleChecks, ALeakIsFoundWhereTheLeakCheckerRuns)
{
    ::setenv(kFaultVariable, "leaky-instance", 1);
    const ValidationRun run = Validate(ORV_FAULT_MODULE, 2, "lifecycle");
    ::unsetenv(kFaultVariable);
    SCOPED_TRACE(run.text);
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(run.totals.failed, 1);
    EXPECT_TRUE(Has(run.text, "memory leaked"));
#else
    // Without the checker the leak is invisible, and the check says it did not look.
    EXPECT_EQ(run.totals.failed, 0);
    EXPECT_TRUE(Has(run.text, "leaks are looked for in the sanitizer build only"));
#endif
}

} // namespace
