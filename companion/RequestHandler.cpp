#include "RequestHandler.h"

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
    const Request request = RequestParser::parse(line);
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
        const ProcessingPipeline::Outcome outcome = pipeline_.run(request);
        log_.info(peer + " process " + request.input + ": " + outcome.message);
        return {outcome.replaced, {}};
    }
    case RequestKind::Invalid:
        break;
    }
    log_.info(peer + " refused (" + request.error + "): \"" + excerpt(line) + '"');
    return {};
}

} // namespace companion
