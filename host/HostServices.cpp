#include "HostServices.h"

#include "AAX_UIDs.h"

namespace orv::host
{

AAX_Result HostServices::Assert(const char* file, int32 line, const char* note)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mAssertions.push_back(std::string(file ? file : "") + ":" + std::to_string(line) + ": " +
                          (note ? note : ""));
    return kResultSuccess;
}

AAX_Result HostServices::Trace(int32 priority, const char* message)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mTraces.push_back({priority, message ? message : "", std::this_thread::get_id()});
    return kResultSuccess;
}

AAX_Result HostServices::StackTrace(int32 tracePriority, int32 /*stackTracePriority*/,
                                    const char* message)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mStackTraces.push_back({tracePriority, message ? message : "", std::this_thread::get_id()});
    return kResultSuccess;
}

std::vector<HostServices::Message> HostServices::TraceLog() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mTraces;
}

std::vector<std::string> HostServices::Assertions() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mAssertions;
}

std::vector<HostServices::Message> HostServices::StackTraces() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mStackTraces;
}

} // namespace orv::host
