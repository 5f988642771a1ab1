#pragma once

#include <string>

// The lines a companion sends before it closes a "process" connection: {"error":"<reason>"}
// when it could not serve it, {"report":"<text>"} when it did. Only the answer's first
// kExaminedBytes are looked at, and a line counts where it starts the answer or follows a
// line feed; the first error line decides, wherever it stands.
namespace CompanionFailureAnswer
{

// The answer's first bytes that are looked at; an answer line is far shorter.
constexpr size_t kExaminedBytes = 1024;

// True when a line of the answer starts with {"error":.
bool IsFailure(const std::string& answer);
// True when a line of the answer starts with {"report":.
bool IsReport(const std::string& answer);

// The reason of the first failure line: its JSON string unescaped, cut at the examined bytes
// or at a closing quote, with control characters and bytes an escape cannot make printable
// shown as '?'. Empty when answer is no failure answer or names no reason.
std::string Reason(const std::string& answer);
// The text of the first report line, read the same way.
std::string Report(const std::string& answer);

} // namespace CompanionFailureAnswer
