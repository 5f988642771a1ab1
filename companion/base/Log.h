#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace companion
{

// One line per event to a stream (stderr in the application), safe from several threads.
// detail() lines appear only in verbose mode.
class Log
{
public:
    Log(std::ostream& out, bool verbose) : out_(out), verbose_(verbose) {}

    void info(const std::string& line);
    void detail(const std::string& line);
    bool verbose() const { return verbose_; }

private:
    std::mutex mutex_;
    std::ostream& out_;
    bool verbose_;
};

} // namespace companion
