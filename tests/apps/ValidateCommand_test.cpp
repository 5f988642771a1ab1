#include "ValidateCommand.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <fstream>
#include <sstream>

#include "CheckContext.h"
#include "TempFolder.h"
#include "ValidatorChecks.h"

using orv::apps::ValidateCommand;
using orv::host::validator::CheckContext;
using orv::host::validator::ValidationCheck;

namespace
{

// Passes unless told to fail; never touches the module.
class StandInCheck : public ValidationCheck
{
public:
    StandInCheck(const char* name, bool fails) : mName(name), mFails(fails) {}
    const char* Name() const override { return mName; }
    const char* Summary() const override { return "stands in"; }
    void Run(CheckContext& context) override
    {
        context.Info("ran with strictness " + std::to_string(context.Strictness()) +
                     " and companion " + context.CompanionPath());
        if (mFails) context.Fail("told to");
    }

private:
    const char* mName;
    bool mFails;
};

std::vector<std::unique_ptr<ValidationCheck>> StandIns(bool secondFails)
{
    std::vector<std::unique_ptr<ValidationCheck>> checks;
    checks.push_back(std::make_unique<StandInCheck>("first", false));
    checks.push_back(std::make_unique<StandInCheck>("second", secondFails));
    return checks;
}

struct Result
{
    int code;
    std::string out;
    std::string err;
};

Result RunWith(const ValidateCommand::Options& options, bool secondFails)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = ValidateCommand::Run(options, StandIns(secondFails), out, err);
    return {code, out.str(), err.str()};
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The run ended with code and its report holds every one of parts.
void ExpectReport(const Result& result, int code, std::initializer_list<std::string> parts)
{
    EXPECT_EQ(result.code, code) << result.out;
    for (const std::string& part : parts)
        EXPECT_TRUE(Has(result.out, part)) << "no \"" << part << "\" in:\n" << result.out;
}

// Options over a module file the stand-ins never load, with the evidence in folder.
ValidateCommand::Options OptionsIn(const orv::test::TempFolder& folder)
{
    std::ofstream(folder / "module.so") << "not loaded by the stand-ins";
    ValidateCommand::Options options;
    options.modulePath = folder / "module.so";
    options.evidenceFolder = folder / "evidence";
    return options;
}

TEST(ValidateCommand, ExitCodeFollowsTheVerdictAndOptionsReachTheChecks)
{
    orv::test::TempFolder folder;
    ValidateCommand::Options options = OptionsIn(folder);
    options.strictness = 3;

    ExpectReport(RunWith(options, false), 0,
                 {"  first: ran with strictness 3 and companion /", "/companion/orvendal-qv\n",
                  "\n2 passed, 0 failed\n"});

    options.companionPath = "/opt/qv/orvendal-qv";
    options.seed = 42;
    // What the user chose travels with the repeat command, so the repeat runs the same way.
    ExpectReport(RunWith(options, true), 1,
                 {"companion /opt/qv/orvendal-qv\n",
                  "  repeat: orvendal-host validate --module '" + folder.Path() +
                      "/module.so' --seed 42 --strictness 3 --companion '/opt/qv/orvendal-qv' "
                      "--evidence '" +
                      folder.Path() + "/evidence' --only second\n",
                  "\n1 passed, 1 failed\n"});

    options.only = "first";
    options.repeat = 2;
    const Result only = RunWith(options, true);
    ExpectReport(only, 0, {"\n2 passed, 0 failed\n"});
    EXPECT_FALSE(Has(only.out, "second")) << only.out;
}

TEST(ValidateCommand, UsageErrorsAreOneLineAndRunNothing)
{
    orv::test::TempFolder folder;
    ValidateCommand::Options options = OptionsIn(folder);

    options.only = "nope";
    Result result = RunWith(options, true);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "orvendal-host validate: no check named \"nope\" (checks: first, second)\n");

    options.only.clear();
    options.modulePath = folder / "missing.so";
    result = RunWith(options, true);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(Has(result.err, "no module at ")) << result.err;

    options.modulePath = folder / "module.so";
    options.strictness = 0;
    EXPECT_EQ(RunWith(options, false).code, 2);
    options.strictness = 10;
    options.repeat = 0;
    EXPECT_EQ(RunWith(options, false).code, 2);

    // The command line refuses the same before anything runs.
    for (const char* bad : {"11", "0"})
    {
        CLI::App app;
        int exitCode = -1;
        ValidateCommand::Register(app, &exitCode);
        const char* argv[] = {"orvendal-host", "validate", "--strictness", bad};
        EXPECT_THROW(app.parse(4, const_cast<char**>(argv)), CLI::ValidationError) << bad;
        EXPECT_EQ(exitCode, -1);
    }
}

TEST(ValidateCommand, ListsEveryCheckInRunOrder)
{
    ValidateCommand::Options options;
    options.list = true;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ValidateCommand::Run(options, orv::apps::ValidatorChecks(), out, err), 0);
    const std::string text = out.str();
    const std::size_t scan = text.find("scan  ");
    const std::size_t lifecycle = text.find("\nlifecycle  ");
    const std::size_t parameters = text.find("\nparameters  ");
    EXPECT_EQ(scan, 0u) << text;
    EXPECT_NE(lifecycle, std::string::npos) << text;
    EXPECT_NE(parameters, std::string::npos) << text;
    EXPECT_LT(lifecycle, parameters) << text;
    // The offline passes come after the host-only checks, the editor last of all.
    const std::size_t offline = text.find("\noffline  ");
    const std::size_t editor = text.find("\neditor  ");
    EXPECT_NE(offline, std::string::npos) << text;
    EXPECT_LT(parameters, offline) << text;
    EXPECT_LT(offline, editor) << text;
    EXPECT_NE(editor, std::string::npos) << text;
    EXPECT_EQ(text.find('\n', editor + 1), text.size() - 1) << text;
    EXPECT_EQ(err.str(), "");
}

} // namespace
