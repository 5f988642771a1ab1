#pragma once

#include <vector>

#include "AAX.h"

// One numbered data packet for the host's processing context: the field it fills, whether
// it must be filled and posted at the next dispatch, and its payload.
class AAX_CPacket
{
public:
    // An owned, growable byte buffer that starts as 8 zero bytes.
    class SPacketData
    {
    public:
        static constexpr size_t kInitialSize = 8;

        SPacketData() : mData(kInitialSize, 0) {}
        // Resizes the buffer to exactly size bytes (new bytes 0) and returns its first byte.
        template <typename T> T* Get(size_t size)
        {
            mData.resize(size);
            return reinterpret_cast<T*>(mData.data());
        }
        const unsigned char* Data() const { return mData.data(); }
        size_t Size() const { return mData.size(); }

    private:
        std::vector<unsigned char> mData;
    };

    explicit AAX_CPacket(AAX_CFieldIndex fieldIndex) : mID(fieldIndex) {}

    AAX_CFieldIndex GetID() const { return mID; }
    bool IsDirty() const { return mDirty; }
    void SetDirty(bool dirty) { mDirty = dirty; }
    uint32 GetSize() const { return mDataSize; }
    // Stores value at the start of the payload, in native byte order, and records its size.
    template <typename T> void SetValue(const T& value)
    {
        mDataSize = static_cast<uint32>(sizeof(T));
        *mPacketData.Get<T>(sizeof(T)) = value;
    }
    // Sets the announced size and resizes the payload to it.
    const void* Resize(uint32 size)
    {
        mDataSize = size;
        return mPacketData.Get<unsigned char>(size);
    }
    const SPacketData& Data() const { return mPacketData; }

private:
    AAX_CFieldIndex mID;
    bool mDirty = true;
    uint32 mDataSize = 0;
    SPacketData mPacketData;
};
