// The runner with stand-in checks: whatever a check does (pass, fail, crash, abort, exit,
// throw, hang), the run completes, each check gets its line and the count is right.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "CheckContext.h"
#include "TempFolder.h"
#include "ValidationRunner.h"

using namespace orv::host::validator;

namespace
{

// A check whose behaviour is a function, named as the test likes.
class FakeCheck : public ValidationCheck
{
public:
    FakeCheck(const char* name, std::function<void(CheckContext&)> body)
        : mName(name), mBody(std::move(body))
    {
    }
    const char* Name() const override { return mName; }
    const char* Summary() const override { return "a stand-in"; }
    void Run(CheckContext& context) override { mBody(context); }

private:
    const char* mName;
    std::function<void(CheckContext&)> mBody;
};

using CheckList = std::vector<std::unique_ptr<ValidationCheck>>;

void Add(CheckList& checks, const char* name, std::function<void(CheckContext&)> body)
{
    checks.push_back(std::make_unique<FakeCheck>(name, std::move(body)));
}

ValidationRunner::Settings SettingsIn(const orv::test::TempFolder& folder)
{
    ValidationRunner::Settings settings;
    settings.modulePath = "/modules/My Plug'in.aaxplugin";
    settings.evidenceFolder = folder / "evidence";
    settings.seed = 7;
    settings.strictness = 4;
    settings.watchdog = std::chrono::milliseconds(400);
    return settings;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.find_last_not_of('\n');
    const std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(ValidationRunner, EveryKindOfEndIsReportedAndTheRunCompletes)
{
    orv::test::TempFolder folder;
    CheckList checks;
    Add(checks, "passes",
        [](CheckContext& context)
        {
            context.Progress("look");
            context.Info("all is well");
        });
    Add(checks, "fails",
        [](CheckContext& context)
        {
            context.Progress("compare");
            context.Fail("first fault");
            context.SaveArtifact("values.txt", "Gain=0.25\n");
            context.Fail("second fault");
        });
    Add(checks, "crashes",
        [](CheckContext& context)
        {
            context.Progress("set Gain1 to 0.25");
            ::raise(SIGSEGV);
        });
    Add(checks, "aborts",
        [](CheckContext& context)
        {
            context.Progress("restore chunk 3");
            std::abort();
        });
    Add(checks, "exits",
        [](CheckContext& context)
        {
            context.Progress("the module calls exit");
            ::_exit(3);
        });
    Add(checks, "throws",
        [](CheckContext& context)
        {
            context.Progress("parse");
            throw std::runtime_error("bad input");
        });
    Add(checks, "hangs",
        [](CheckContext& context)
        {
            context.Progress("render window 17");
            for (;;)
                ::pause();
        });
    Add(checks, "slow-but-alive",
        [](CheckContext& context)
        {
            // Longer in all than the watchdog, but never silent for that long.
            for (int i = 0; i < 8; ++i)
            {
                context.Progress("tick " + std::to_string(i));
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });

    std::ostringstream out;
    ValidationRunner runner(SettingsIn(folder), out);
    const auto start = std::chrono::steady_clock::now();
    const ValidationRunner::Totals totals = runner.Run(checks);
    const std::string text = out.str();
    SCOPED_TRACE(text);

    EXPECT_EQ(totals.passed, 2);
    EXPECT_EQ(totals.failed, 6);
    EXPECT_EQ(LastLine(text), "2 passed, 6 failed");
    // The hang was cut off by the watchdog, not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    EXPECT_TRUE(Has(text, "  passes: all is well\nPASS passes ("));
    EXPECT_TRUE(Has(text, "  FAIL fails: first fault\n"));
    EXPECT_TRUE(Has(text, "FAIL fails (2 faults)\n"));
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer catches the signal itself and ends the process its own way.
    EXPECT_TRUE(Has(text, "CRASH crashes: "));
    EXPECT_TRUE(Has(text, " after \"set Gain1 to 0.25\"\n"));
#else
    EXPECT_TRUE(Has(text, "CRASH crashes: SIGSEGV after \"set Gain1 to 0.25\"\n"));
#endif
    EXPECT_TRUE(Has(text, "CRASH aborts: SIGABRT after \"restore chunk 3\"\n"));
    EXPECT_TRUE(Has(text, "CRASH exits: exit code 3 after \"the module calls exit\"\n"));
    EXPECT_TRUE(Has(text, "FAIL throws (1 fault)\n"));
    EXPECT_TRUE(Has(text, "bad input"));
    EXPECT_TRUE(Has(text, "HANG hangs: no progress for 0.4 s after \"render window 17\"\n"));
    EXPECT_TRUE(Has(text, "PASS slow-but-alive ("));

    // Each failure says how to repeat it, with the module path safely quoted.
    for (const char* name : {"fails", "crashes", "aborts", "exits", "throws", "hangs"})
        EXPECT_TRUE(Has(text, std::string("  repeat: orvendal-host validate --module "
                                          "'/modules/My Plug'\\''in.aaxplugin' --seed 7 "
                                          "--strictness 4 --only ") +
                                  name + "\n"))
            << name;
    EXPECT_FALSE(Has(text, "--only passes"));

    const std::string evidence = folder / "evidence";
    EXPECT_EQ(ReadFile(evidence + "/fails-seed7/values.txt"), "Gain=0.25\n");
    EXPECT_TRUE(Has(text, "  evidence: " + evidence + "/fails-seed7\n"));
    EXPECT_EQ(ReadFile(evidence + "/crashes-seed7/last-step.txt"), "set Gain1 to 0.25\n");
    EXPECT_EQ(ReadFile(evidence + "/hangs-seed7/last-step.txt"), "render window 17\n");
    EXPECT_FALSE(std::filesystem::exists(evidence + "/passes-seed7"));
}

TEST(ValidationRunner, RepeatsWithSuccessiveSeedsAndTheSameSeedDrawsTheSame)
{
    orv::test::TempFolder folder;
    CheckList checks;
    // Reports its first random draw and fails on an even seed, to be told apart.
    Add(checks, "draws",
        [](CheckContext& context)
        {
            context.Info("draw " + std::to_string(context.Random()()));
            context.Info("scaled " + std::to_string(context.Scaled(100)));
            if (context.Seed() % 2 == 0) context.Fail("even seed");
        });
    Add(checks, "quiet", [](CheckContext&) {});

    ValidationRunner::Settings settings = SettingsIn(folder);
    settings.repeat = 3;
    std::ostringstream out;
    const ValidationRunner::Totals totals = ValidationRunner(settings, out).Run(checks);
    const std::string text = out.str();
    SCOPED_TRACE(text);
    EXPECT_EQ(totals.passed, 5);
    EXPECT_EQ(totals.failed, 1);
    EXPECT_EQ(LastLine(text), "5 passed, 1 failed");
    EXPECT_TRUE(Has(text, "seed 7:\n"));
    EXPECT_TRUE(Has(text, "seed 8:\n"));
    EXPECT_TRUE(Has(text, "seed 9:\n"));
    EXPECT_TRUE(Has(text, "--seed 8 --strictness 4 --only draws\n"));
    EXPECT_TRUE(Has(text, "  draws: scaled 40\n"));

    // The draws of seeds 7, 8 and 9 differ; running seed 8 alone draws what it drew before.
    std::istringstream lines(text);
    std::vector<std::string> draws;
    for (std::string line; std::getline(lines, line);)
        if (Has(line, "draws: draw ")) draws.push_back(line);
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_NE(draws[0], draws[1]);
    EXPECT_NE(draws[1], draws[2]);
    settings.repeat = 1;
    settings.seed = 8;
    std::ostringstream again;
    ValidationRunner(settings, again).Run(checks);
    EXPECT_TRUE(Has(again.str(), draws[1] + "\n")) << again.str();
}

TEST(ValidationRunner, StaleEvidenceGoesAndAPassLeavesNone)
{
    orv::test::TempFolder folder;
    ValidationRunner::Settings settings = SettingsIn(folder);
    CheckList checks;
    Add(checks, "state", [](CheckContext& context) { context.Progress("compare"); });
    const std::string stale = settings.evidenceFolder + "/state-seed7";
    std::filesystem::create_directories(stale);
    std::ofstream(stale + "/chunk.bin") << "old";

    std::ostringstream out;
    const ValidationRunner::Totals totals = ValidationRunner(settings, out).Run(checks);
    EXPECT_EQ(totals.failed, 0);
    EXPECT_EQ(out.str().rfind("PASS state (", 0), 0u) << out.str();
    EXPECT_FALSE(std::filesystem::exists(stale));
}

} // namespace
