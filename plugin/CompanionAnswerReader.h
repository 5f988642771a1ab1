#pragma once

#include <cstddef>
#include <string>

#include "CompanionFailureAnswer.h"
#include "CompanionProtocol.h"

// Reads a "process" answer as it arrives, in pieces split anywhere. Progress lines
// (CompanionProtocol.h) are dropped and count toward no limit; of the other lines it keeps the
// first error line, the first report line and at most kMaxRestBytes of the rest, each line
// cut to kMaxLineBytes. Text() puts the error line first and the report line next, so the
// first bytes the answer's examination reads hold both.
class CompanionAnswerReader
{
public:
    // As much of a line as the answer's examination reads.
    static constexpr size_t kMaxLineBytes = CompanionFailureAnswer::kExaminedBytes;
    static constexpr size_t kMaxRestBytes = CompanionProtocol::kMaxKeptAnswerBytes;

    void Take(const char* bytes, size_t count);
    // The answer ended: a last line without its line feed counts too.
    void Finish();
    // True once a whole progress line has arrived.
    bool ProgressSeen() const { return mProgressSeen; }
    // True once any byte arrived.
    bool Received() const { return mReceived; }
    std::string Text() const;

private:
    void EndLine();

    std::string mLine; // the line under way, its first kMaxLineBytes
    std::string mError;
    std::string mReport;
    std::string mRest;
    bool mProgressSeen = false;
    bool mReceived = false;
};
