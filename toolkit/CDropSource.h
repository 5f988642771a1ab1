#pragma once

#include "CDragContainer.h"

#include <string>
#include <vector>

namespace VSTGUI
{

// A drag container that owns copies of its items; what the platform frame hands to the
// views when its caller drops something on it.
class CDropSource : public CDragContainer
{
public:
    CDropSource() = default;
    CDropSource(const void* buffer, int32_t size, CDragType type);

    // Adds a copy of `size` bytes; false for a null buffer with a non-zero or negative size.
    bool add(const void* buffer, int32_t size, CDragType type);

    void* first(int32_t& size, int32_t& type) override;
    void* next(int32_t& size, int32_t& type) override;
    int32_t getType(int32_t idx) const override;
    int32_t getCount() const override { return static_cast<int32_t>(entries.size()); }

private:
    struct Entry
    {
        std::string bytes;
        CDragType type;
    };
    void* entryAt(size_t index, int32_t& size, int32_t& type);

    std::vector<Entry> entries;
    size_t nextEntry = 0;
};

} // namespace VSTGUI
