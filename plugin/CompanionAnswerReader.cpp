#include "CompanionAnswerReader.h"

#include <algorithm>

#include "CompanionProtocol.h"

namespace
{

bool Starts(const std::string& line, const char* prefix)
{
    return line.compare(0, CompanionProtocol::LengthOf(prefix), prefix) == 0;
}

} // namespace

void CompanionAnswerReader::Take(const char* bytes, size_t count)
{
    if (count > 0) mReceived = true;
    for (size_t at = 0; at < count;)
    {
        const char* end = std::find(bytes + at, bytes + count, '\n');
        const size_t length = static_cast<size_t>(end - (bytes + at));
        const size_t room = kMaxLineBytes - std::min(kMaxLineBytes, mLine.size());
        mLine.append(bytes + at, std::min(room, length));
        at += length;
        if (at < count)
        {
            ++at;
            EndLine();
        }
    }
}

void CompanionAnswerReader::Finish()
{
    if (!mLine.empty()) EndLine();
}

void CompanionAnswerReader::EndLine()
{
    std::string line;
    line.swap(mLine);
    if (Starts(line, CompanionProtocol::ProgressAnswer::kPrefix))
    {
        mProgressSeen = true;
        return;
    }
    line += '\n';
    if (mError.empty() && Starts(line, CompanionProtocol::FailureAnswer::kPrefix))
        mError = std::move(line);
    else if (mReport.empty() && Starts(line, CompanionProtocol::ReportAnswer::kPrefix))
        mReport = std::move(line);
    else
        mRest.append(line, 0, kMaxRestBytes - std::min(kMaxRestBytes, mRest.size()));
}

std::string CompanionAnswerReader::Text() const
{
    return mError + mReport + mRest;
}
