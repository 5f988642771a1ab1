#include "ErrorAnswer.h"

#include "AnswerLine.h"
#include "CompanionConstants.h"
#include "FailureAnswer.h"

namespace companion
{

std::string ErrorAnswer::build(const std::string& reason)
{
    return AnswerLine::build(FailureAnswer::kKey, reason, kMaxErrorAnswerBytes);
}

bool ErrorAnswer::isError(const std::string& answer)
{
    return answer.rfind(FailureAnswer::kPrefix, 0) == 0;
}

} // namespace companion
