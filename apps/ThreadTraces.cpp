#include "ThreadTraces.h"

namespace orv::apps
{

ThreadTraces::ThreadTraces(const host::HostServices& services)
    : mServices(services), mThread(std::this_thread::get_id()), mStart(services.TraceLog().size())
{
}

std::vector<std::string> ThreadTraces::Texts() const
{
    const std::vector<host::HostServices::Message> log = mServices.TraceLog();
    std::vector<std::string> texts;
    for (size_t i = mStart; i < log.size(); ++i)
        if (log[i].thread == mThread) texts.push_back(log[i].text);
    return texts;
}

} // namespace orv::apps
