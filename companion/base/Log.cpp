#include "Log.h"

namespace companion
{

void Log::info(const std::string& line)
{
    std::lock_guard<std::mutex> lock(mutex_);
    out_ << "orvendal-qv: " << line << '\n';
    out_.flush();
}

void Log::detail(const std::string& line)
{
    if (verbose_) info(line);
}

} // namespace companion
