#include "FileLockTable.h"

namespace companion
{

FileLockTable::Hold::Hold(FileLockTable& table, std::string key)
    : table_(table), key_(std::move(key))
{
    std::unique_lock<std::mutex> lock(table_.mutex_);
    table_.released_.wait(lock, [this] { return table_.held_.count(key_) == 0; });
    table_.held_.insert(key_);
}

FileLockTable::Hold::~Hold()
{
    {
        std::lock_guard<std::mutex> lock(table_.mutex_);
        table_.held_.erase(key_);
    }
    table_.released_.notify_all();
}

} // namespace companion
