#include "OfflineVerdict.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace orv::host::validator
{
namespace
{

// Bit for bit, so that a NaN never equals anything and -0 is not 0.
bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The first index in [from, to) where a and b differ, or to.
size_t FirstDifference(const std::vector<float>& a, const std::vector<float>& b, size_t from,
                       size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (!SameBits(a[i], b[i])) return i;
    return to;
}

std::string Difference(const char* what, const std::vector<float>& output,
                       const std::vector<float>& expected, size_t at)
{
    std::ostringstream line;
    line.precision(9);
    line << "the first channel differs from " << what << " at sample " << at << " (" << output[at]
         << " where " << expected[at] << " was due)";
    return line.str();
}

bool IsFailureRequired(const OfflinePass& pass, const std::vector<float>& written)
{
    switch (pass.companion)
    {
    case OfflinePass::Companion::kNone:
    case OfflinePass::Companion::kWrongRate:
    case OfflinePass::Companion::kWrongLength:
    case OfflinePass::Companion::kTruncated:
    case OfflinePass::Companion::kGarbage:
    case OfflinePass::Companion::kFailureAnswer:
    case OfflinePass::Companion::kClosesUnprocessed:
    case OfflinePass::Companion::kKilled:
    case OfflinePass::Companion::kSilent:
        return true;
    case OfflinePass::Companion::kNonFiniteSamples:
    {
        const size_t end = std::min(written.size(), static_cast<size_t>(pass.length));
        return std::any_of(written.begin(), written.begin() + static_cast<long>(end),
                           [](float sample) { return !std::isfinite(sample); });
    }
    case OfflinePass::Companion::kProcesses:
        return false;
    }
    return false;
}

// Whether nothing the companion wrote may reach the render: a file whose header is wrong
// is refused whole.
bool IsInputRequired(const OfflinePass& pass)
{
    return pass.companion == OfflinePass::Companion::kWrongRate ||
           pass.companion == OfflinePass::Companion::kWrongLength ||
           pass.companion == OfflinePass::Companion::kGarbage ||
           pass.companion == OfflinePass::Companion::kFailureAnswer ||
           pass.companion == OfflinePass::Companion::kClosesUnprocessed ||
           pass.companion == OfflinePass::Companion::kKilled ||
           pass.companion == OfflinePass::Companion::kSilent ||
           pass.companion == OfflinePass::Companion::kNone;
}

// Whether every channel was rendered whole; says what is wrong (a non-finite sample does not
// stop the judging).
bool JudgeShape(const std::vector<std::vector<float>>& input,
                const std::vector<std::vector<float>>& output, size_t length,
                std::vector<std::string>& problems)
{
    if (output.size() != input.size())
    {
        problems.push_back("rendered " + std::to_string(output.size()) + " channels of " +
                           std::to_string(input.size()));
        return false;
    }
    for (size_t channel = 0; channel < output.size(); ++channel)
    {
        if (output[channel].size() != length || input[channel].size() != length)
        {
            problems.push_back("channel " + std::to_string(channel + 1) + ": rendered " +
                               std::to_string(output[channel].size()) + " samples of " +
                               std::to_string(length));
            return false;
        }
        const auto bad = std::find_if(output[channel].begin(), output[channel].end(),
                                      [](float sample) { return !std::isfinite(sample); });
        if (bad != output[channel].end())
            problems.push_back("channel " + std::to_string(channel + 1) + " sample " +
                               std::to_string(bad - output[channel].begin()) + " is not finite");
    }
    return true;
}

// Says where the status code `code` is not one the companion's behaviour in the pass allows.
void JudgeStatus(const OfflinePass& pass, int code, const std::vector<float>& written,
                 std::vector<std::string>& problems)
{
    using Companion = OfflinePass::Companion;
    constexpr int kSuccess = OfflineVerdict::kSuccessCode;
    if (code == kSuccess && IsFailureRequired(pass, written))
        problems.push_back("\"Comm\" reports success although the companion failed");
    if (pass.companion == Companion::kFailureAnswer && code != kSuccess &&
        code != OfflineVerdict::kCompanionFailedCode)
        problems.push_back("\"Comm\" reports code " + std::to_string(code) +
                           " where the companion answered that it failed (" +
                           std::to_string(OfflineVerdict::kCompanionFailedCode) + ")");
    const bool closedUnprocessed =
        pass.companion == Companion::kClosesUnprocessed || pass.companion == Companion::kKilled;
    if (closedUnprocessed && code != kSuccess && code != OfflineVerdict::kNotProcessedCode)
        problems.push_back("\"Comm\" reports code " + std::to_string(code) +
                           " where the companion closed without processing the file (" +
                           std::to_string(OfflineVerdict::kNotProcessedCode) + ")");
    if (pass.companion == Companion::kSilent && code != kSuccess &&
        code != OfflineVerdict::kStoppedAnsweringCode)
        problems.push_back("\"Comm\" reports code " + std::to_string(code) +
                           " where the companion stopped answering after progress (" +
                           std::to_string(OfflineVerdict::kStoppedAnsweringCode) + ")");
    if (code != kSuccess && pass.companion == Companion::kProcesses)
        problems.push_back("\"Comm\" reports failure code " + std::to_string(code) +
                           " although the companion processed the file");
}

} // namespace

int OfflineVerdict::StatusCode(double comm)
{
    if (!std::isfinite(comm) || comm < 0.0 || comm > 1.0) return -1;
    const int code = StatusFromComm(comm);
    return std::fabs(code - comm * kCountScale) < 1e-3 ? code : -1;
}

std::vector<std::string> OfflineVerdict::Judge(const OfflinePass& pass,
                                               const std::vector<std::vector<float>>& input,
                                               const std::vector<std::vector<float>>& output,
                                               double comm, const std::vector<float>& written)
{
    std::vector<std::string> problems;
    const size_t length = static_cast<size_t>(pass.length);
    if (!JudgeShape(input, output, length, problems) || output.empty()) return problems;

    const int code = StatusCode(comm);
    if (code < kSuccessCode)
    {
        problems.push_back("\"Comm\" is " + std::to_string(comm) + ", which is no status");
        return problems;
    }
    JudgeStatus(pass, code, written, problems);

    const std::vector<float>& out = output.front();
    const std::vector<float>& in = input.front();
    const bool wroteAll = written.size() == length && !IsInputRequired(pass);
    const std::vector<float>& processed = wroteAll ? written : in;
    if (code == kSuccessCode)
    {
        const size_t at = FirstDifference(out, processed, 0, length);
        if (at != length)
            problems.push_back(Difference(wroteAll ? "what the companion wrote" : "the input", out,
                                          processed, at));
        return problems;
    }
    // A failure: the input from where the processed file stopped being usable on; only a
    // file that ended early may have given samples before that.
    const size_t usable =
        code == kSliceReadCode && wroteAll ? FirstDifference(out, processed, 0, length) : 0;
    const size_t at = FirstDifference(out, in, usable, length);
    if (at != length)
        problems.push_back(Difference("the input", out, in, at) + " after failure code " +
                           std::to_string(code));
    return problems;
}

} // namespace orv::host::validator
