#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace orv::host
{

// The names of the operations the plug-in called on one host object, in call order. Safe
// to add to from any thread.
class HostCallLog
{
public:
    void Add(const char* operation);
    std::vector<std::string> Calls() const;
    // How often operation was called.
    size_t Count(const std::string& operation) const;

private:
    mutable std::mutex mMutex;
    std::vector<std::string> mCalls;
};

} // namespace orv::host
