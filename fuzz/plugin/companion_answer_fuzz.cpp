// Arbitrary answers to "parameters" and to "process": whatever arrives, the editor's record
// stays within its bounds, and a failure's reason is short, printable and only ever taken
// from an answer that starts as the failure line does. The whole "process" answer, read in
// pieces split anywhere, keeps what the same answer read at once keeps: no progress line,
// the first error line's reason, the report where no error stands, within its bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CompanionAnswerParser.h"
#include "CompanionAnswerReader.h"
#include "CompanionFailureAnswer.h"
#include "CompanionProtocol.h"

namespace
{

bool FailureExaminationBounded(const std::string& answer)
{
    // A line that starts with the prefix, the whole prefix within the examined bytes.
    const std::string examined = answer.substr(0, CompanionFailureAnswer::kExaminedBytes);
    const auto hasLine = [&examined](const std::string& prefix)
    { return examined.rfind(prefix, 0) == 0 || examined.find('\n' + prefix) != std::string::npos; };
    const auto printable = [](const std::string& text)
    {
        return text.size() <= CompanionFailureAnswer::kExaminedBytes &&
               std::none_of(text.begin(), text.end(),
                            [](char c)
                            { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    };
    const bool failure = CompanionFailureAnswer::IsFailure(answer);
    const bool report = CompanionFailureAnswer::IsReport(answer);
    const std::string reason = CompanionFailureAnswer::Reason(answer);
    const std::string text = CompanionFailureAnswer::Report(answer);
    return failure == hasLine("{\"error\":") && report == hasLine("{\"report\":") &&
           (failure || reason.empty()) && (report || text.empty()) && printable(reason) &&
           printable(text);
}

// The answer's lines as the reader sees them: split at line feeds, a last one unended.
std::vector<std::string> Lines(const std::string& answer)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = answer.find('\n'); end != std::string::npos; end = answer.find('\n', start))
    {
        lines.push_back(answer.substr(start, end - start));
        start = end + 1;
    }
    if (start < answer.size()) lines.push_back(answer.substr(start));
    return lines;
}

// The first line that starts with prefix, cut as the reader keeps it; empty when none does.
std::string FirstLine(const std::vector<std::string>& lines, const char* prefix)
{
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            return line.substr(0, CompanionAnswerReader::kMaxLineBytes) + '\n';
    return {};
}

// The first byte picks the piece sizes the rest of the answer arrives in.
bool WholeAnswerExamined(const uint8_t* data, size_t size)
{
    if (size == 0) return true;
    const size_t step = 1 + data[0] % 61;
    const std::string answer(reinterpret_cast<const char*>(data) + 1, size - 1);
    CompanionAnswerReader atOnce;
    atOnce.Take(answer.data(), answer.size());
    atOnce.Finish();
    CompanionAnswerReader pieces;
    for (size_t at = 0, piece = step; at < answer.size(); at += piece, piece = piece % 7 + step)
        pieces.Take(answer.data() + at, std::min(piece, answer.size() - at));
    pieces.Finish();

    const std::vector<std::string> lines = Lines(answer);
    const std::string text = pieces.Text();
    const std::string error = FirstLine(lines, CompanionProtocol::FailureAnswer::kPrefix);
    const std::string report = FirstLine(lines, CompanionProtocol::ReportAnswer::kPrefix);
    const bool progress = !FirstLine(lines, CompanionProtocol::ProgressAnswer::kPrefix).empty();
    const std::vector<std::string> kept = Lines(text);
    const bool noProgressKept =
        std::none_of(kept.begin(), kept.end(),
                     [](const std::string& line)
                     { return line.rfind(CompanionProtocol::ProgressAnswer::kPrefix, 0) == 0; });
    const bool bounded = text.size() <= 2 * (CompanionAnswerReader::kMaxLineBytes + 1) +
                                            CompanionAnswerReader::kMaxRestBytes;
    const bool errorRead =
        CompanionFailureAnswer::IsFailure(text) == !error.empty() &&
        CompanionFailureAnswer::Reason(text) == CompanionFailureAnswer::Reason(error);
    const bool reportRead =
        !error.empty() ||
        (CompanionFailureAnswer::IsReport(text) == !report.empty() &&
         CompanionFailureAnswer::Report(text) == CompanionFailureAnswer::Report(report));
    return text == atOnce.Text() && pieces.ProgressSeen() == progress &&
           pieces.Received() == !answer.empty() && noProgressKept && bounded && errorRead &&
           reportRead;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string answer(reinterpret_cast<const char*>(data), size);
    if (!FailureExaminationBounded(answer)) __builtin_trap();
    if (!WholeAnswerExamined(data, size)) __builtin_trap();

    static CompanionInfo info;
    info = CompanionInfo();
    CompanionAnswerParser::Parse(answer, 24000.0f, info);
    bool bounded = info.version.size() <= CompanionInfo::kMaxVersionLength && info.toolCount >= 0 &&
                   info.toolCount <= CompanionProtocol::kMaxTools && info.rangeMax >= 0.0f &&
                   info.rangeMax <= 24000.0f;
    for (int32 tool = 1; tool <= info.toolCount; ++tool)
    {
        bounded = bounded && info.toolNames[tool].size() <= CompanionInfo::kMaxNameLength &&
                  info.presetCounts[tool] >= 0 &&
                  info.presetCounts[tool] <= CompanionInfo::kMaxPresets;
        for (int32 preset = 1; preset <= info.presetCounts[tool]; ++preset)
            bounded =
                bounded && info.presetNames[tool][preset].size() <= CompanionInfo::kMaxNameLength;
    }
    if (!bounded) __builtin_trap();
    return 0;
}
