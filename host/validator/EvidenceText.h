#pragma once

#include <string>

namespace orv::host::validator
{

// How the checks write values and identifiers into their reports and evidence files.

// Every digit a double needs to be read back exactly ("%.17g").
std::string ExactDigits(double value);
// An identifier as a report line can show it: null and empty named as such, bytes outside
// printable ASCII escaped, and at most 40 characters followed by the full length.
std::string PrintableIdentifier(const char* identifier);
// text with every character that does not belong in a file name replaced by '_'.
std::string FileNamePart(const std::string& text);

} // namespace orv::host::validator
