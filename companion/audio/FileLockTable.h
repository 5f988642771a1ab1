#pragma once

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

namespace companion
{

// Keeps two requests from working on the same file at once: the second waits until the
// first has finished. Keys are the InterfaceFile keys.
class FileLockTable
{
public:
    class Hold
    {
    public:
        Hold(FileLockTable& table, std::string key);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FileLockTable& table_;
        std::string key_;
    };

private:
    std::mutex mutex_;
    std::condition_variable released_;
    std::set<std::string> held_;
};

} // namespace companion
