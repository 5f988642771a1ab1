#include "CDropSource.h"

namespace VSTGUI
{

CDropSource::CDropSource(const void* buffer, int32_t size, CDragType type)
{
    add(buffer, size, type);
}

bool CDropSource::add(const void* buffer, int32_t size, CDragType type)
{
    if (size < 0 || (!buffer && size > 0)) return false;
    entries.push_back(
        Entry{buffer ? std::string(static_cast<const char*>(buffer), size) : std::string(), type});
    return true;
}

void* CDropSource::entryAt(size_t index, int32_t& size, int32_t& type)
{
    if (index >= entries.size())
    {
        size = 0;
        type = kError;
        return nullptr;
    }
    nextEntry = index + 1;
    size = static_cast<int32_t>(entries[index].bytes.size());
    type = entries[index].type;
    return &entries[index].bytes[0];
}

void* CDropSource::first(int32_t& size, int32_t& type)
{
    return entryAt(0, size, type);
}

void* CDropSource::next(int32_t& size, int32_t& type)
{
    return entryAt(nextEntry, size, type);
}

int32_t CDropSource::getType(int32_t idx) const
{
    if (idx < 0 || static_cast<size_t>(idx) >= entries.size()) return kError;
    return entries[idx].type;
}

} // namespace VSTGUI
