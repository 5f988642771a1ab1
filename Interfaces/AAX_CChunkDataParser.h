#pragma once

#include <vector>

#include "AAX.h"
#include "AAX_CString.h"

// Encoder and decoder of the state chunk's data: a 4-byte marker, then one record per value,
// each aligned to 4 bytes: type letter, '_', name and NUL, padding, then the big-endian value.
// The reader never reads past the chunk's data size.
class AAX_CChunkDataParser
{
public:
    // Record types; the letters written to and read from the chunk follow them.
    enum EDataType : int32
    {
        kNoType = 0,
        kFloat = 1,  // 'f', read only
        kInt32 = 2,  // 'l'
        kDouble = 3, // 'd'
        kShort = 4,  // 's', read only
        kString = 5, // 'r'
    };

    struct DataValue
    {
        int32 mDataType = kNoType;
        AAX_CString mDataName;
        // An int32 in the low half for 'l', the raw bytes for 'f' and 's', the double for 'd'.
        int64 mIntValue = 0;
        double mDoubleValue = 0.0;
        AAX_CString mStringValue;
    };

    static constexpr uint32 kMarker = 0x01010101;
    static constexpr int32 kMarkerSize = 4;
    // Longest record text (type letter, '_' and name) the reader takes, terminator excluded.
    static constexpr int32 kMaxNameLength = 255;

    AAX_CChunkDataParser() = default;
    virtual ~AAX_CChunkDataParser() = default;

    // Empties the values; the last found index and the version become -1.
    void Clear();
    void AddDouble(const char* name, double value);
    void AddInt32(const char* name, int32 value);
    void AddString(const char* name, AAX_CString value);
    // True and the value only if a value of that name and type exists.
    bool FindDouble(const char* name, double* value);
    bool FindInt32(const char* name, int32* value);
    bool FindString(const char* name, AAX_CString* value);
    // Index of a value with that name, or -1. The search starts after the previous hit and
    // wraps around, so lookups in write order cost one comparison each.
    int32 FindName(const AAX_CString& name);

    // Bytes of data that GetChunkData writes: 4 for an empty parser.
    int32 GetChunkDataSize() const;
    // Writes the data and its size into chunk, which must have room for GetChunkDataSize()
    // bytes of data; 0, or kResultChunkDataFailed after a trace message. Allocates nothing
    // and throws nothing.
    AAX_Result GetChunkData(AAX_SPlugInChunk* chunk) const;
    // Replaces the values with those read from chunk and returns where reading stopped: the
    // number of data bytes read, which is the chunk's data size when every record was read.
    // Reads nothing (0) unless the data starts with the marker, and stops at the start of
    // the first record that does not fit in the data size.
    int32 LoadChunk(const AAX_SPlugInChunk* chunk);

    int32 GetChunkVersion() const { return mChunkVersion; }
    const std::vector<DataValue>& Values() const { return mDataValues; }
    // Name comparisons made by FindName since construction, for checking its cost.
    uint64 NameComparisons() const { return mNameComparisons; }

private:
    void Add(DataValue value);

    int32 mLastFoundIndex = -1;
    int32 mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
    uint64 mNameComparisons = 0;
};
