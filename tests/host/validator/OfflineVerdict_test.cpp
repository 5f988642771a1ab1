#include "OfflineVerdict.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

using orv::host::validator::OfflinePass;
using orv::host::validator::OfflineVerdict;
using Companion = OfflinePass::Companion;
using Channels = std::vector<std::vector<float>>;

constexpr double kSuccess = 0.05;

OfflinePass Pass(Companion companion, int64 length = 6)
{
    OfflinePass pass;
    pass.length = length;
    pass.companion = companion;
    return pass;
}

// The problems found, joined, so a failing expectation shows them.
std::string Problems(const OfflinePass& pass, const Channels& input, const Channels& output,
                     double comm, const std::vector<float>& written)
{
    std::string joined;
    for (const auto& problem : OfflineVerdict::Judge(pass, input, output, comm, written))
        joined += problem + "\n";
    return joined;
}

const Channels kInput = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
const std::vector<float> kWritten = {0.5f, 1, 1.5f, 2, 2.5f, 3};

TEST(OfflineVerdict, AcceptsWhatTheProcessorIsDueToRender)
{
    const Channels processed = {kWritten, {0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(Problems(Pass(Companion::kProcesses), kInput, processed, kSuccess, kWritten), "");
    // Failures render the input, a companion that closed without processing included.
    EXPECT_EQ(Problems(Pass(Companion::kNone), kInput, kInput, 0.20, {}), "");
    EXPECT_EQ(Problems(Pass(Companion::kWrongRate), kInput, kInput, 0.09, kWritten), "");
    EXPECT_EQ(Problems(Pass(Companion::kClosesUnprocessed), kInput, kInput, 0.27, {}), "");
    // A file that ended early gave its first samples, the input follows.
    const Channels partial = {{0.5f, 1, 3, 4, 5, 6}, kInput[1]};
    EXPECT_EQ(Problems(Pass(Companion::kTruncated), kInput, partial, 0.08, kWritten), "");
    // A non-finite sample ends what the file gives, as an early end does.
    std::vector<float> poisoned = kWritten;
    poisoned[4] = std::numeric_limits<float>::quiet_NaN();
    const Channels upToPoison = {{0.5f, 1, 1.5f, 2, 5, 6}, kInput[1]};
    EXPECT_EQ(Problems(Pass(Companion::kNonFiniteSamples), kInput, upToPoison, 0.08, poisoned), "");
    // A selection of no samples renders nothing.
    EXPECT_EQ(Problems(Pass(Companion::kNone, 0), {{}, {}}, {{}, {}}, 0.20, {}), "");
}

TEST(OfflineVerdict, FindsEachWayARenderCanGoWrong)
{
    const Channels processed = {kWritten, {0, 0, 0, 0, 0, 0}};
    const OfflinePass processes = Pass(Companion::kProcesses);
    // Short, missing a channel, or not finite.
    EXPECT_NE(Problems(processes, kInput, {{0.5f, 1, 1.5f, 2, 2.5f}, kInput[1]}, kSuccess, kWritten)
                  .find("rendered 5 samples of 6"),
              std::string::npos);
    EXPECT_NE(Problems(processes, kInput, {kWritten}, kSuccess, kWritten).find("1 channels of 2"),
              std::string::npos);
    Channels infinite = processed;
    infinite[1][3] = std::numeric_limits<float>::infinity();
    EXPECT_NE(Problems(processes, kInput, infinite, kSuccess, kWritten)
                  .find("channel 2 sample 3 is not finite"),
              std::string::npos);
    // Success with something else than the companion's result, or a failure it did not cause.
    Channels changed = processed;
    changed[0][2] = 1.25f;
    EXPECT_NE(Problems(processes, kInput, changed, kSuccess, kWritten).find("at sample 2"),
              std::string::npos);
    EXPECT_NE(Problems(processes, kInput, kInput, 0.20, kWritten).find("failure code 20"),
              std::string::npos);
    // -0 is not 0: bit for bit.
    Channels negativeZero = {{-0.0f, 0, 0}, {0, 0, 0}};
    EXPECT_NE(Problems(Pass(Companion::kNone, 3), {{0, 0, 0}, {0, 0, 0}}, negativeZero, 0.20, {}),
              "");

    // A failing companion reported as success, or a failure that does not render the input.
    EXPECT_NE(Problems(Pass(Companion::kWrongLength), kInput, kInput, kSuccess, kWritten)
                  .find("reports success"),
              std::string::npos);
    EXPECT_NE(Problems(Pass(Companion::kGarbage), kInput, processed, 0.09, kWritten)
                  .find("after failure code 9"),
              std::string::npos);
    // An early end gives only what the file held; a wrong header gives nothing of it.
    const Channels wrongTail = {{0.5f, 1, 3, 4, 5, 7}, kInput[1]};
    EXPECT_NE(Problems(Pass(Companion::kTruncated), kInput, wrongTail, 0.08, kWritten), "");
    const Channels partial = {{0.5f, 1, 3, 4, 5, 6}, kInput[1]};
    EXPECT_NE(Problems(Pass(Companion::kWrongLength), kInput, partial, 0.08, kWritten), "");
    // Poisoned samples reaching the render, or left unreported.
    std::vector<float> poisoned = kWritten;
    poisoned[4] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_NE(Problems(Pass(Companion::kNonFiniteSamples), kInput, {poisoned, kInput[1]}, kSuccess,
                       poisoned),
              "");
    // A companion that said it failed: the input, under code 22 and no other.
    EXPECT_EQ(Problems(Pass(Companion::kFailureAnswer), kInput, kInput, 0.22, {}), "");
    EXPECT_NE(Problems(Pass(Companion::kFailureAnswer), kInput, kInput, kSuccess, {})
                  .find("reports success"),
              std::string::npos);
    EXPECT_NE(Problems(Pass(Companion::kFailureAnswer), kInput, kInput, 0.09, {}).find("(22)"),
              std::string::npos);
    // One that closed without processing: under code 27, never success.
    EXPECT_NE(Problems(Pass(Companion::kClosesUnprocessed), kInput, kInput, kSuccess, {})
                  .find("reports success"),
              std::string::npos);
    EXPECT_NE(Problems(Pass(Companion::kClosesUnprocessed), kInput, kInput, 0.23, {}).find("(27)"),
              std::string::npos);

    // "Comm" that carries no status.
    EXPECT_NE(Problems(Pass(Companion::kNone), kInput, kInput, 0.123, {}).find("no status"),
              std::string::npos);
}

TEST(OfflineVerdict, ReadsTheStatusCodeFromComm)
{
    EXPECT_EQ(OfflineVerdict::StatusCode(0.05), 5);
    EXPECT_EQ(OfflineVerdict::StatusCode(0.63), 63);
    EXPECT_EQ(OfflineVerdict::StatusCode(0.05f), 5);
    EXPECT_EQ(OfflineVerdict::StatusCode(0.055), -1);
    EXPECT_EQ(OfflineVerdict::StatusCode(-0.01), -1);
    EXPECT_EQ(OfflineVerdict::StatusCode(std::numeric_limits<double>::quiet_NaN()), -1);
}

} // namespace
