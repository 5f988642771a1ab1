#include "HostChunk.h"

#include <cstring>

namespace orv::host
{
namespace
{
size_t StorageUnits(uint32 capacity)
{
    return (kAAX_SPlugInChunkHeaderSize + capacity + sizeof(uint64) - 1) / sizeof(uint64);
}

uint32 ReadLittleEndian32(const unsigned char* in)
{
    return static_cast<uint32>(in[0]) | static_cast<uint32>(in[1]) << 8 |
           static_cast<uint32>(in[2]) << 16 | static_cast<uint32>(in[3]) << 24;
}

void WriteLittleEndian32(unsigned char* out, uint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Header fields in file order, as offsets into the record.
constexpr size_t kHeaderFields[] = {
    offsetof(AAX_SPlugInChunk, fSize),           offsetof(AAX_SPlugInChunk, fVersion),
    offsetof(AAX_SPlugInChunk, fManufacturerID), offsetof(AAX_SPlugInChunk, fProductID),
    offsetof(AAX_SPlugInChunk, fPlugInID),       offsetof(AAX_SPlugInChunk, fChunkID),
};
} // namespace

HostChunk::HostChunk(uint32 capacity) : mCapacity(capacity), mStorage(StorageUnits(capacity), 0)
{
    Record()->fSize = static_cast<int32>(capacity);
}

AAX_SPlugInChunk* HostChunk::Record()
{
    return reinterpret_cast<AAX_SPlugInChunk*>(mStorage.data());
}

const AAX_SPlugInChunk* HostChunk::Record() const
{
    return reinterpret_cast<const AAX_SPlugInChunk*>(mStorage.data());
}

uint32 HostChunk::DataSize() const
{
    const int32 size = Record()->fSize;
    if (size < 0) return 0;
    return static_cast<uint32>(size) < mCapacity ? static_cast<uint32>(size) : mCapacity;
}

const unsigned char* HostChunk::Data() const
{
    return reinterpret_cast<const unsigned char*>(mStorage.data()) + kAAX_SPlugInChunkHeaderSize;
}

std::string HostChunk::Name() const
{
    const auto* name = reinterpret_cast<const char*>(Record()->fName);
    return std::string(name, strnlen(name, sizeof Record()->fName));
}

std::vector<unsigned char> HostChunk::Serialize() const
{
    const auto* record = reinterpret_cast<const unsigned char*>(mStorage.data());
    std::vector<unsigned char> bytes(kAAX_SPlugInChunkHeaderSize + DataSize());
    for (size_t offset : kHeaderFields)
    {
        uint32 value = 0;
        std::memcpy(&value, record + offset, sizeof value);
        WriteLittleEndian32(bytes.data() + offset, value);
    }
    // The written size is the size actually stored, even if the record claimed more.
    WriteLittleEndian32(bytes.data() + offsetof(AAX_SPlugInChunk, fSize), DataSize());
    std::memcpy(bytes.data() + offsetof(AAX_SPlugInChunk, fName), Record()->fName,
                sizeof Record()->fName);
    std::memcpy(bytes.data() + kAAX_SPlugInChunkHeaderSize, Data(), DataSize());
    return bytes;
}

bool HostChunk::Parse(const std::vector<unsigned char>& bytes, HostChunk* outChunk,
                      std::string* outError)
{
    auto fail = [outError](const std::string& message)
    {
        if (outError) *outError = message;
        return false;
    };
    if (!outChunk) return fail("no chunk to read into");
    if (bytes.size() < kAAX_SPlugInChunkHeaderSize)
        return fail("state file too short: " + std::to_string(bytes.size()) +
                    " bytes, the header alone takes " +
                    std::to_string(kAAX_SPlugInChunkHeaderSize));
    const uint32 size = ReadLittleEndian32(bytes.data() + offsetof(AAX_SPlugInChunk, fSize));
    const size_t present = bytes.size() - kAAX_SPlugInChunkHeaderSize;
    if (size > kMaxDataSize) return fail("state file damaged: data size " + std::to_string(size));
    if (size != present)
        return fail("state file damaged: header announces " + std::to_string(size) +
                    " data bytes, the file holds " + std::to_string(present));

    HostChunk chunk(size);
    auto* record = reinterpret_cast<unsigned char*>(chunk.mStorage.data());
    for (size_t offset : kHeaderFields)
    {
        const uint32 value = ReadLittleEndian32(bytes.data() + offset);
        std::memcpy(record + offset, &value, sizeof value);
    }
    std::memcpy(record + offsetof(AAX_SPlugInChunk, fName),
                bytes.data() + offsetof(AAX_SPlugInChunk, fName), sizeof chunk.Record()->fName);
    std::memcpy(record + kAAX_SPlugInChunkHeaderSize, bytes.data() + kAAX_SPlugInChunkHeaderSize,
                size);
    *outChunk = std::move(chunk);
    return true;
}

} // namespace orv::host
