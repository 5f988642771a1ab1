#pragma once

#include <string>

// The line a companion sends before it closes a "process" connection it could not serve:
// {"error":"<reason>"}. Any other answer, or none, means the file was processed.
namespace CompanionFailureAnswer
{

// What the processor traces before the reason, so a host's log says why a render is the
// input unchanged.
constexpr const char* kTracePrefix = "the companion could not process the file: ";

// The answer's first bytes that are looked at; a failure line is far shorter.
constexpr size_t kExaminedBytes = 1024;

// True when answer starts with {"error": (only its first kExaminedBytes matter).
bool IsFailure(const std::string& answer);

// The reason of a failure answer: its JSON string unescaped, cut at the examined bytes or
// at a closing quote, with control characters and bytes an escape cannot make printable
// shown as '?'. Empty when answer is no failure answer or names no reason.
std::string Reason(const std::string& answer);

} // namespace CompanionFailureAnswer
