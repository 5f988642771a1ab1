#pragma once

#include "Log.h"
#include "ProcessingPipeline.h"

#include <string>

namespace companion
{

// Answers one request line: the text to send back (empty for none) and one log line. Used
// by the server for each connection and by the command line for a single request.
class RequestHandler
{
public:
    RequestHandler(ProcessingPipeline& pipeline, Log& log) : pipeline_(pipeline), log_(log) {}

    struct Reply
    {
        bool served = false; // false: refused or failed
        std::string answer;
    };

    Reply handle(const std::string& line, const std::string& peer);

private:
    ProcessingPipeline& pipeline_;
    Log& log_;
};

} // namespace companion
