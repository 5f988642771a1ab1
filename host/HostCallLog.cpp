#include "HostCallLog.h"

#include <algorithm>

namespace orv::host
{

void HostCallLog::Add(const char* operation)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mCalls.emplace_back(operation);
}

std::vector<std::string> HostCallLog::Calls() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mCalls;
}

size_t HostCallLog::Count(const std::string& operation) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return static_cast<size_t>(std::count(mCalls.begin(), mCalls.end(), operation));
}

} // namespace orv::host
