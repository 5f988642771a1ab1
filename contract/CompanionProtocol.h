#pragma once

#include <cstddef>
#include <string>

#include "ParameterIDs.h"

// The plug-in and the companion talk in lines over one loopback connection per request. Every
// spelling and limit of that exchange lives here, so both ends and the fault companion agree
// byte for byte. Keys are not JSON: the plug-in writes them bare, with these exact spaces.
namespace CompanionProtocol
{

// The length of a spelling below, for matching it in place.
constexpr std::size_t LengthOf(const char* text)
{
    return std::char_traits<char>::length(text);
}

// The editor's request, on one line:  {request:"parameters"}
constexpr const char* kParametersRequest = "{request:\"parameters\"}";

// The processor's request, on one line (the path unescaped, up to the closing quote):
//   {request:"process", tools:[true,false], presets: [3,0],rangeLow: 0, rangeHigh: 22050,
//   input: "/home/me/Documents/Orvendal_interface_0.wav"}
constexpr const char* kProcessOpen = "{request:\"process\", tools:[";
constexpr const char* kListSeparator = ",";
constexpr const char* kListClose = "]";
constexpr const char* kPresetsOpen = ", presets: [";
constexpr const char* kRangeLowKey = ",rangeLow: ";
constexpr const char* kRangeHighKey = ", rangeHigh: ";
constexpr const char* kInputKey = ", input: \"";
constexpr const char* kProcessClose = "\"}";
// Every request ends with a line feed.
constexpr const char* kLineEnd = "\n";

// Tools (and presets) a "process" request lists at most: one per tool parameter.
constexpr std::int32_t kMaxTools = kNumTools;
// Longest input path the processor keeps and sends (a 1000-byte buffer with its terminator).
constexpr std::size_t kMaxPathBytes = 999;
// Highest frequency the companion offers: half of the highest sample rate the plug-in sends.
constexpr int kRangeMaxHz = 96000;

// The "parameters" answer must stay under 400 bytes: the editor reads it into a 400-byte
// buffer with its terminator, so it keeps at most this many bytes.
constexpr std::size_t kMaxParametersAnswerBytes = 399;
// A refused or failed request is answered with one line of at most this many bytes.
constexpr std::size_t kMaxErrorAnswerBytes = 300;
// A report line, line feed included, is at most this many bytes (the text is cut to fit), so
// the plug-in's trace of it stays within a host's 512-byte trace line.
constexpr std::size_t kMaxReportAnswerBytes = 400;
// Of a "process" answer's other lines, the plug-in keeps at most this many bytes.
constexpr std::size_t kMaxKeptAnswerBytes = 64 * 1024;

// The answer to "parameters", one line with no white space:
//   {"version":"2.0","tools":["T1","T2"],"presets":[["P1","P2"],["P1"]],"rangeMax":20000}
// The editor cuts it apart by searching for these spellings (each key with the characters
// that open its value) rather than parsing JSON, so the companion writes exactly them.
namespace ParametersAnswerFormat
{
constexpr const char* kVersionOpen = "\"version\":\"";
constexpr const char* kToolsOpen = "\"tools\":[";
constexpr const char* kPresetsOpen = "\"presets\":[";
constexpr const char* kRangeMaxOpen = "\"rangeMax\":";
} // namespace ParametersAnswerFormat

// A "process" request refused or failed: one line {"error":"<reason>"} with the reason as a
// JSON string, ended by a line feed. The first line that starts so decides, wherever it
// stands in the answer. Without it, a processed file is shown by a report line or by the
// file itself having changed.
namespace FailureAnswer
{
constexpr const char* kKey = "error";
constexpr const char* kPrefix = "{\"error\":";
constexpr const char* kSuffix = "}\n";
} // namespace FailureAnswer

// A "process" request carried out, also when there was nothing to do: one line
// {"report":"<text>"} with what each tool found and did, before the companion closes. The
// line is the companion's proof that it processed the file.
namespace ReportAnswer
{
constexpr const char* kKey = "report";
constexpr const char* kPrefix = "{\"report\":";
constexpr std::size_t kMaxLineBytes = kMaxReportAnswerBytes;
// The plug-in traces the report's text after this lead-in, where a host's log shows it.
constexpr const char* kTraceLeadIn = "the companion processed the file: ";
} // namespace ReportAnswer

// While a "process" request waits in the queue or is processed: a line
// {"progress":<fraction 0..1>} at least once every kIntervalMs. The plug-in reads and drops
// these lines; once one has arrived, kSilenceMs without a byte means the companion stopped
// answering. A companion that never sends one is waited for until it closes.
namespace ProgressAnswer
{
constexpr const char* kKey = "progress";
constexpr const char* kPrefix = "{\"progress\":";
constexpr int kIntervalMs = 1000;
constexpr int kSilenceMs = 30000;
} // namespace ProgressAnswer

} // namespace CompanionProtocol
