#include "RequestHandler.h"

#include "AnswerLine.h"
#include "CompanionProtocol.h"
#include "ErrorAnswer.h"
#include "ParametersAnswer.h"
#include "RequestParser.h"

namespace companion
{

namespace
{
// Printable excerpt of a refused line for the log.
std::string excerpt(const std::string& line)
{
    constexpr size_t kShown = 60;
    std::string shown;
    for (char c : line.substr(0, kShown))
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    return line.size() > kShown ? shown + "..." : shown;
}
} // namespace

RequestHandler::Reply RequestHandler::handle(const std::string& line, const std::string& peer)
{
    return respond(RequestParser::parse(line), line, peer);
}

RequestHandler::Reply RequestHandler::respond(const Request& request, const std::string& line,
                                              const std::string& peer,
                                              const std::atomic<bool>* stop,
                                              std::atomic<double>* done)
{
    switch (request.kind)
    {
    case RequestKind::Parameters:
    {
        Reply reply{true, ParametersAnswer::build()};
        log_.info(peer + " parameters: answered " + std::to_string(reply.answer.size()) + " bytes");
        return reply;
    }
    case RequestKind::Process:
    {
        const ProcessingPipeline::Outcome outcome = pipeline_.run(request, stop, done);
        log_.info(peer + " process " + request.input + ": " + outcome.message);
        if (outcome.error.empty())
        {
            log_.info(peer + " report: " + outcome.report);
            return {true, AnswerLine::build(CompanionProtocol::ReportAnswer::kKey, outcome.report,
                                            CompanionProtocol::ReportAnswer::kMaxLineBytes)};
        }
        return {false, ErrorAnswer::build(outcome.error)};
    }
    case RequestKind::Invalid:
        break;
    }
    log_.info(peer + " refused (" + request.error + "): \"" + excerpt(line) + '"');
    return {false, ErrorAnswer::build("bad request: " + request.error)};
}

} // namespace companion
