#pragma once

#include <cstddef>

// How the companion answers a "process" request it carried out, also when there was nothing
// to do: one line {"report":"<text>"} with what each tool found and did as a JSON string,
// ended by a line feed, before it closes. The whole line is at most kMaxLineBytes (the text
// is cut to fit), so the plug-in's trace of it stays within a host's 512-byte trace line.
// The line is the companion's proof that it processed the file.
namespace ReportAnswer
{

constexpr const char* kKey = "report";
constexpr const char* kPrefix = "{\"report\":";
constexpr std::size_t kPrefixLength = 10;
constexpr std::size_t kMaxLineBytes = 400;
// The plug-in traces the report's text after this lead-in, where a host's log shows it.
constexpr const char* kTraceLeadIn = "the companion processed the file: ";

} // namespace ReportAnswer
