#pragma once

#include "Log.h"
#include "ProcessingPipeline.h"
#include "Request.h"

#include <atomic>
#include <string>

namespace companion
{

// Answers one request: the text to send back and its log lines. A refused or failed request
// is answered with the error line; a processed file (or one with nothing to do) with the
// report line. Used by the server for
// each connection and by the command line for a single request.
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
    // For a line already parsed; a "process" run gives up once `*stop` turns true and keeps
    // the fraction it has done in `*done`.
    Reply respond(const Request& request, const std::string& line, const std::string& peer,
                  const std::atomic<bool>* stop = nullptr, std::atomic<double>* done = nullptr);

private:
    ProcessingPipeline& pipeline_;
    Log& log_;
};

} // namespace companion
