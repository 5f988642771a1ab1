// orvendal-host validate run as a user runs it, on a module broken on purpose: its state chunk
// is never the same twice and one text conversion crashes. The run must report exactly those
// checks as failed, run every other check, count them all and exit with a failure.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace orv::test
{
namespace
{
struct CommandResult
{
    std::string out;
    int exitCode = -1;
};

CommandResult RunCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, count);
    const int status = ::pclose(pipe);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(ValidateBroken, ReportsTheCrashAndTheUnrepeatableChunkAndRunsEveryOtherCheck)
{
    const std::string host = Quoted(ORV_HOST_EXE) + " validate";
    const CommandResult list = RunCommand(host + " --list");
    ASSERT_EQ(list.exitCode, 0) << list.out;
    std::vector<std::string> names;
    for (const std::string& line : Lines(list.out))
        names.push_back(line.substr(0, line.find(' ')));
    ASSERT_GE(names.size(), 6u) << list.out;

    TempFolder evidence;
    const CommandResult run =
        RunCommand(host + " --module " + Quoted(ORV_BROKEN_MODULE) + " --companion " +
                   Quoted(ORV_COMPANION_EXE) + " --strictness 1 --evidence " +
                   Quoted(evidence.Path()) + " 2>&1");
    SCOPED_TRACE(run.out);
    EXPECT_EQ(run.exitCode, 1);

    // The crash names the step it died in: the text conversion of the broken parameter. (A
    // signal in a plain build; the undefined-behaviour checker stops it with an exit code.)
    EXPECT_TRUE(Has(run.out, "CRASH parameter-fuzz: "));
    EXPECT_TRUE(Has(run.out, " after \"value of text \""));
    EXPECT_TRUE(Has(run.out, "\" for maxfr\"\n"));
    EXPECT_TRUE(Has(run.out, "saving twice without a change gives different chunks"));
    // Only that: the bypass is not blamed for a chunk that changes anyway.
    EXPECT_TRUE(Has(run.out, "FAIL state (1 fault)"));
    // Every check has its verdict; all but the two broken ones pass.
    int verdicts = 0;
    for (const std::string& name : names)
    {
        if (name == "parameter-fuzz" || name == "state") continue;
        EXPECT_TRUE(Has(run.out, "PASS " + name + " (")) << name;
        ++verdicts;
    }
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::to_string(verdicts) + " passed, 2 failed");

    // Evidence to study the failures: the two chunks that differ, the crash's last step.
    EXPECT_TRUE(std::filesystem::exists(evidence / "state-seed1/state-round0-first.chunk"));
    EXPECT_TRUE(std::filesystem::exists(evidence / "state-seed1/state-round0-second.chunk"));
    EXPECT_TRUE(std::filesystem::exists(evidence / "parameter-fuzz-seed1/last-step.txt"));
}

} // namespace
} // namespace orv::test
