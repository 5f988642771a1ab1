#include "ErrorAnswer.h"

#include "AnswerLine.h"
#include "CompanionConstants.h"
#include "CompanionProtocol.h"

namespace companion
{

std::string ErrorAnswer::build(const std::string& reason)
{
    return AnswerLine::build(CompanionProtocol::FailureAnswer::kKey, reason,
                             CompanionProtocol::kMaxErrorAnswerBytes);
}

bool ErrorAnswer::isError(const std::string& answer)
{
    return answer.rfind(CompanionProtocol::FailureAnswer::kPrefix, 0) == 0;
}

} // namespace companion
