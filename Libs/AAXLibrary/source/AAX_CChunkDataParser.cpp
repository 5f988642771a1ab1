#include "AAX_CChunkDataParser.h"

#include <cstring>
#include <string>

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"

namespace
{
constexpr int32 kIntValueSize = 4;
constexpr int32 kDoubleValueSize = 8;
constexpr int32 kShortValueSize = 2;
constexpr int32 kAlignment = 4;

int64 RoundUp4(int64 count)
{
    return (count + kAlignment - 1) / kAlignment * kAlignment;
}

unsigned char* DataOf(AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<unsigned char*>(chunk) + kAAX_SPlugInChunkHeaderSize;
}

const unsigned char* DataOf(const AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<const unsigned char*>(chunk) + kAAX_SPlugInChunkHeaderSize;
}

void WriteBigEndian(unsigned char* out, uint64 value, int32 width)
{
    for (int32 i = width - 1; i >= 0; --i)
    {
        out[i] = static_cast<unsigned char>(value & 0xFF);
        value >>= 8;
    }
}

uint64 ReadBigEndian(const unsigned char* in, int32 width)
{
    uint64 value = 0;
    for (int32 i = 0; i < width; ++i)
        value = (value << 8) | in[i];
    return value;
}

uint64 DoubleBits(double value)
{
    uint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double DoubleFromBits(uint64 bits)
{
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Length of the zero-terminated text at in, looking at no more than limit bytes; -1 when no
// terminator is found within them.
int64 BoundedTextLength(const unsigned char* in, int64 limit)
{
    const void* end = std::memchr(in, 0, static_cast<size_t>(limit));
    return end ? static_cast<const unsigned char*>(end) - in : -1;
}

// Reads into record the value of a record of the given type, which starts at position with
// remaining bytes of data left: the bytes the value takes, -1 when it runs past the data. An
// unknown type has no value.
int64 ReadValue(AAX_CChunkDataParser::DataValue& record, char type, const unsigned char* data,
                int64 position, int64 remaining)
{
    using Parser = AAX_CChunkDataParser;
    switch (type)
    {
    case 'd':
        if (remaining < kDoubleValueSize) return -1;
        record.mDataType = Parser::kDouble;
        record.mDoubleValue = DoubleFromBits(ReadBigEndian(data + position, kDoubleValueSize));
        return kDoubleValueSize;
    case 'l':
        if (remaining < kIntValueSize) return -1;
        record.mDataType = Parser::kInt32;
        record.mIntValue =
            static_cast<int32>(static_cast<uint32>(ReadBigEndian(data + position, kIntValueSize)));
        return kIntValueSize;
    case 'f':
        if (remaining < kIntValueSize) return -1;
        record.mDataType = Parser::kFloat;
        record.mIntValue = static_cast<int64>(ReadBigEndian(data + position, kIntValueSize));
        return kIntValueSize;
    case 's':
        if (remaining < kShortValueSize) return -1;
        record.mDataType = Parser::kShort;
        record.mIntValue = static_cast<int64>(ReadBigEndian(data + position, kShortValueSize));
        return kIntValueSize;
    case 'r':
    {
        if (remaining < 1) return -1;
        const int64 valueLength = BoundedTextLength(data + position, remaining);
        if (valueLength < 0) return -1;
        record.mDataType = Parser::kString;
        record.mStringValue = AAX_CString(reinterpret_cast<const char*>(data + position));
        return RoundUp4(valueLength + 1);
    }
    default:
        record.mDataType = Parser::kNoType;
        return 0;
    }
}

int32 ValueSize(const AAX_CChunkDataParser::DataValue& value)
{
    switch (value.mDataType)
    {
    case AAX_CChunkDataParser::kInt32:
    case AAX_CChunkDataParser::kFloat:
    case AAX_CChunkDataParser::kShort:
        return kIntValueSize;
    case AAX_CChunkDataParser::kDouble:
        return kDoubleValueSize;
    case AAX_CChunkDataParser::kString:
        return static_cast<int32>(RoundUp4(static_cast<int64>(value.mStringValue.Length()) + 1));
    default:
        return 0;
    }
}

char TypeLetter(int32 type)
{
    switch (type)
    {
    case AAX_CChunkDataParser::kFloat:
        return 'f';
    case AAX_CChunkDataParser::kInt32:
        return 'l';
    case AAX_CChunkDataParser::kDouble:
        return 'd';
    case AAX_CChunkDataParser::kShort:
        return 's';
    case AAX_CChunkDataParser::kString:
        return 'r';
    default:
        return '?';
    }
}

// A record of that name and type; the caller sets the value its type reads.
AAX_CChunkDataParser::DataValue NamedRecord(const char* name, int32 type)
{
    AAX_CChunkDataParser::DataValue record;
    record.mDataType = type;
    record.mDataName = AAX_CString(name);
    return record;
}

// Every encoding failure ends the same way: a line in the host's trace, then -333.
AAX_Result EncodingFailed(const char* reason)
{
    AAX_CHostServices::Trace(AAX_eTracePriorityHost_High,
                             "AAX_CChunkDataParser::GetChunkData ERROR: %s", reason);
    return kResultChunkDataFailed;
}
} // namespace

void AAX_CChunkDataParser::Clear()
{
    mDataValues.clear();
    mLastFoundIndex = -1;
    mChunkVersion = -1;
}

void AAX_CChunkDataParser::Add(DataValue value)
{
    mDataValues.push_back(std::move(value));
}

void AAX_CChunkDataParser::AddDouble(const char* name, double value)
{
    DataValue record = NamedRecord(name, kDouble);
    record.mDoubleValue = value;
    Add(std::move(record));
}

void AAX_CChunkDataParser::AddInt32(const char* name, int32 value)
{
    DataValue record = NamedRecord(name, kInt32);
    record.mIntValue = value;
    Add(std::move(record));
}

void AAX_CChunkDataParser::AddString(const char* name, AAX_CString value)
{
    DataValue record = NamedRecord(name, kString);
    record.mStringValue = std::move(value);
    Add(std::move(record));
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* value)
{
    const int32 index = FindName(AAX_CString(name));
    if (index < 0 || mDataValues[static_cast<size_t>(index)].mDataType != kDouble) return false;
    if (value) *value = mDataValues[static_cast<size_t>(index)].mDoubleValue;
    return true;
}

bool AAX_CChunkDataParser::FindInt32(const char* name, int32* value)
{
    const int32 index = FindName(AAX_CString(name));
    if (index < 0 || mDataValues[static_cast<size_t>(index)].mDataType != kInt32) return false;
    if (value) *value = static_cast<int32>(mDataValues[static_cast<size_t>(index)].mIntValue);
    return true;
}

bool AAX_CChunkDataParser::FindString(const char* name, AAX_CString* value)
{
    const int32 index = FindName(AAX_CString(name));
    if (index < 0 || mDataValues[static_cast<size_t>(index)].mDataType != kString) return false;
    if (value) *value = mDataValues[static_cast<size_t>(index)].mStringValue;
    return true;
}

int32 AAX_CChunkDataParser::FindName(const AAX_CString& name)
{
    const int32 count = static_cast<int32>(mDataValues.size());
    if (mLastFoundIndex >= count - 1) mLastFoundIndex = -1;
    for (int32 index = mLastFoundIndex + 1; index < count; ++index)
    {
        ++mNameComparisons;
        if (mDataValues[static_cast<size_t>(index)].mDataName == name)
            return mLastFoundIndex = index;
    }
    for (int32 index = 0; index <= mLastFoundIndex; ++index)
    {
        ++mNameComparisons;
        if (mDataValues[static_cast<size_t>(index)].mDataName == name)
            return mLastFoundIndex = index;
    }
    return -1;
}

int32 AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64 size = kMarkerSize;
    for (const DataValue& value : mDataValues)
        size += RoundUp4(static_cast<int64>(value.mDataName.Length()) + 3) + ValueSize(value);
    return size > INT32_MAX ? -1 : static_cast<int32>(size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData(AAX_SPlugInChunk* chunk) const
{
    if (!chunk) return kResultNullArgument;
    const int32 size = GetChunkDataSize();
    if (size < kMarkerSize) return EncodingFailed("chunk data too large");
    unsigned char* data = DataOf(chunk);
    std::memset(data, 0, static_cast<size_t>(size));
    WriteBigEndian(data, kMarker, kMarkerSize);

    int64 position = kMarkerSize;
    for (const DataValue& value : mDataValues)
    {
        const int64 nameLength = value.mDataName.Length();
        const int64 valueLength = value.mDataType == kString
                                      ? static_cast<int64>(value.mStringValue.Length()) + 1
                                      : ValueSize(value);
        // The first test is the encoder's own; the second also covers the padding.
        if (position + nameLength + valueLength + 3 > size ||
            RoundUp4(position + nameLength + 3) + ValueSize(value) > size)
            return EncodingFailed("aborting: chunk data will overflow buffer");

        data[position] = static_cast<unsigned char>(TypeLetter(value.mDataType));
        data[position + 1] = '_';
        std::memcpy(data + position + 2, value.mDataName.Get(),
                    static_cast<size_t>(nameLength) + 1);
        position = RoundUp4(position + 2 + nameLength + 1);

        switch (value.mDataType)
        {
        case kDouble:
            WriteBigEndian(data + position, DoubleBits(value.mDoubleValue), kDoubleValueSize);
            break;
        case kString:
            std::memcpy(data + position, value.mStringValue.Get(),
                        static_cast<size_t>(valueLength));
            break;
        case kShort:
            WriteBigEndian(data + position, static_cast<uint64>(value.mIntValue), kShortValueSize);
            break;
        case kInt32:
        case kFloat:
            WriteBigEndian(data + position, static_cast<uint64>(value.mIntValue), kIntValueSize);
            break;
        default:
            break;
        }
        position += ValueSize(value);
    }
    chunk->fSize = size;
    return kResultSuccess;
}

int32 AAX_CChunkDataParser::LoadChunk(const AAX_SPlugInChunk* chunk)
{
    Clear();
    if (!chunk) return 0;
    mChunkVersion = chunk->fVersion;

    const int64 size = chunk->fSize;
    const unsigned char* data = DataOf(chunk);
    if (size < kMarkerSize || ReadBigEndian(data, kMarkerSize) != kMarker) return 0;

    int64 position = kMarkerSize;
    while (position < size)
    {
        const int64 recordStart = position;
        const int64 left = size - position;
        const int64 textLength = BoundedTextLength(
            data + position, left < kMaxNameLength + 1 ? left : kMaxNameLength + 1);
        if (textLength < 0) return static_cast<int32>(recordStart); // the text runs past the data

        DataValue record;
        const char* text = reinterpret_cast<const char*>(data + position);
        const char type = textLength > 0 ? text[0] : '\0';
        record.mDataName = AAX_CString(textLength > 2 ? std::string(text + 2).c_str() : "");
        position = RoundUp4(position + textLength + 1);

        const int64 valueSize = ReadValue(record, type, data, position, size - position);
        if (valueSize < 0) return static_cast<int32>(recordStart);
        position += valueSize;
        Add(std::move(record));
    }
    // The last record's padding may reach past the data; the data itself was read whole.
    return static_cast<int32>(size);
}
