#pragma once

#include <string>
#include <vector>

#include "AAX.h"

namespace orv::host
{

// A state chunk as the host keeps it: an AAX_SPlugInChunk record with room for a given number
// of data bytes, suitably aligned. Its file form is the record's bytes as they stand: the
// 56-byte header (little-endian fields: data size, version, three identifiers, chunk ID,
// 32-byte name) followed by exactly data-size bytes of data.
class HostChunk
{
public:
    // The largest data a chunk file may hold; anything larger is refused as damaged.
    static constexpr uint32 kMaxDataSize = 64u * 1024u * 1024u;

    // A zeroed record with room for capacity data bytes and fSize = capacity.
    explicit HostChunk(uint32 capacity = 0);

    AAX_SPlugInChunk* Record();
    const AAX_SPlugInChunk* Record() const;
    // Data bytes the record can hold.
    uint32 Capacity() const { return mCapacity; }
    // The record's own data size, bounded by the capacity (0 when negative).
    uint32 DataSize() const;
    const unsigned char* Data() const;
    std::string Name() const;

    // The file form (header and DataSize() data bytes).
    std::vector<unsigned char> Serialize() const;
    // Reads the file form; false and a message when the bytes are not a whole chunk.
    static bool Parse(const std::vector<unsigned char>& bytes, HostChunk* outChunk,
                      std::string* outError);

private:
    uint32 mCapacity;
    // 8-byte units keep the record aligned for its integer fields.
    std::vector<uint64> mStorage;
};

} // namespace orv::host
