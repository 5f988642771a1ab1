#include "AAX_CChunkDataParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
using Bytes = std::vector<unsigned char>;

// A host chunk record with room for a number of data bytes.
class Chunk
{
public:
    explicit Chunk(size_t capacity)
        : mStorage((kAAX_SPlugInChunkHeaderSize + capacity + 7) / 8 + 1, 0)
    {
        Record()->fSize = static_cast<int32>(capacity);
    }
    explicit Chunk(const Bytes& data) : Chunk(data.size())
    {
        if (!data.empty()) std::memcpy(DataBytes(), data.data(), data.size());
    }
    AAX_SPlugInChunk* Record() { return reinterpret_cast<AAX_SPlugInChunk*>(mStorage.data()); }
    unsigned char* DataBytes()
    {
        return reinterpret_cast<unsigned char*>(mStorage.data()) + kAAX_SPlugInChunkHeaderSize;
    }
    Bytes Data() { return Bytes(DataBytes(), DataBytes() + Record()->fSize); }

private:
    std::vector<uint64> mStorage;
};

Bytes Write(const AAX_CChunkDataParser& parser)
{
    Chunk chunk(static_cast<size_t>(parser.GetChunkDataSize()));
    EXPECT_EQ(parser.GetChunkData(chunk.Record()), 0);
    return chunk.Data();
}

TEST(AAX_CChunkDataParser, WritesAlignedBigEndianRecords)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ(parser.GetChunkDataSize(), 4);
    EXPECT_EQ(Write(parser), Bytes({1, 1, 1, 1}));

    parser.AddDouble("minfr", 20.0);
    parser.AddInt32("Byp1", 1);
    parser.AddString("txt", AAX_CString("abc"));
    parser.AddString("t4", AAX_CString("abcd"));
    EXPECT_EQ(parser.GetChunkDataSize(), 4 + 16 + 12 + 12 + 16);
    const Bytes expected = {1,    1,    1,   1,                                       // marker
                            'd',  '_',  'm', 'i', 'n', 'f', 'r', 0,                   // name
                            0x40, 0x34, 0,   0,   0,   0,   0,   0,                   // 20.0
                            'l',  '_',  'B', 'y', 'p', '1', 0,   0, 0,   0,   0,   1, // 'l' 1
                            'r',  '_',  't', 'x', 't', 0,   0,   0, 'a', 'b', 'c', 0, // 3 chars
                            'r',  '_',  't', '4', 0,   0,   0,   0,                   // name
                            'a',  'b',  'c', 'd', 0,   0,   0,   0};                  // 4 chars
    EXPECT_EQ(Write(parser), expected);
}

TEST(AAX_CChunkDataParser, ReadsBackWhatItWroteAndFindsInWriteOrderWithOneComparisonEach)
{
    AAX_CChunkDataParser writer;
    for (int i = 0; i < 10; ++i)
        writer.AddDouble(("v" + std::to_string(i)).c_str(), i * 0.5);
    writer.AddInt32("neg", -7);
    writer.AddString("name", AAX_CString("hello"));
    Chunk chunk(Write(writer));
    chunk.Record()->fVersion = 3;

    AAX_CChunkDataParser reader;
    reader.LoadChunk(chunk.Record());
    EXPECT_EQ(reader.GetChunkVersion(), 3);
    ASSERT_EQ(reader.Values().size(), 12u);
    const uint64 before = reader.NameComparisons();
    for (int i = 0; i < 10; ++i)
    {
        double value = -1.0;
        ASSERT_TRUE(reader.FindDouble(("v" + std::to_string(i)).c_str(), &value));
        EXPECT_DOUBLE_EQ(value, i * 0.5);
    }
    int32 number = 0;
    EXPECT_TRUE(reader.FindInt32("neg", &number));
    EXPECT_EQ(number, -7);
    AAX_CString text;
    EXPECT_TRUE(reader.FindString("name", &text));
    EXPECT_EQ(text.StdString(), "hello");
    EXPECT_EQ(reader.NameComparisons() - before, 12u);

    // A value of another type is not found; an unknown name is not found.
    double asDouble = 0.0;
    EXPECT_FALSE(reader.FindDouble("neg", &asDouble));
    EXPECT_FALSE(reader.FindInt32("absent", &number));
    EXPECT_EQ(number, -7);
}

TEST(AAX_CChunkDataParser, CyclicSearchWrapsAroundAndVisitsDuplicatesInTurn)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32("a", 1);
    parser.AddInt32("b", 2);
    parser.AddInt32("a", 3);
    EXPECT_EQ(parser.FindName(AAX_CString("a")), 0);
    EXPECT_EQ(parser.FindName(AAX_CString("a")), 2);
    EXPECT_EQ(parser.FindName(AAX_CString("a")), 0);
    EXPECT_EQ(parser.FindName(AAX_CString("b")), 1);
    EXPECT_EQ(parser.FindName(AAX_CString("x")), -1);
    EXPECT_EQ(parser.FindName(AAX_CString("a")), 2); // the miss kept the last hit
    parser.Clear();
    EXPECT_EQ(parser.FindName(AAX_CString("a")), -1);
    EXPECT_EQ(parser.GetChunkVersion(), -1);
}

TEST(AAX_CChunkDataParser, RejectsAWrongMarkerOrTooShortData)
{
    AAX_CChunkDataParser parser;
    Chunk wrongMarker(Bytes{1, 1, 1, 2, 'l', '_', 'x', 0, 0, 0, 0, 1});
    EXPECT_EQ(parser.LoadChunk(wrongMarker.Record()), 0);
    EXPECT_TRUE(parser.Values().empty());
    // The marker alone is a whole chunk without values.
    Chunk markerOnly(Bytes{1, 1, 1, 1});
    EXPECT_EQ(parser.LoadChunk(markerOnly.Record()), 4);
    EXPECT_TRUE(parser.Values().empty());
    Chunk shorterThanTheMarker(Bytes{1, 1});
    EXPECT_EQ(parser.LoadChunk(shorterThanTheMarker.Record()), 0);
    Chunk negative(Bytes{1, 1, 1, 1, 'l', '_', 'x', 0, 0, 0, 0, 1});
    negative.Record()->fSize = -5;
    EXPECT_EQ(parser.LoadChunk(negative.Record()), 0);
    EXPECT_TRUE(parser.Values().empty());
    EXPECT_EQ(parser.LoadChunk(nullptr), 0);
}

TEST(AAX_CChunkDataParser, StopsAtTheFirstRecordThatDoesNotFitAtEveryCut)
{
    AAX_CChunkDataParser writer;
    writer.AddInt32("first", 5);
    writer.AddDouble("second", 2.5);
    writer.AddString("third", AAX_CString("text"));
    const Bytes full = Write(writer);
    // Where each record's value ends; the last text needs its NUL but not its padding.
    const size_t firstEnd = 4 + 8 + 4, secondEnd = firstEnd + 12 + 8, thirdEnd = secondEnd + 8 + 5;

    for (size_t cut = 0; cut <= full.size(); ++cut)
    {
        // Only cut bytes exist: the sanitizers catch any read past them.
        Chunk chunk(Bytes(full.begin(), full.begin() + static_cast<long>(cut)));
        AAX_CChunkDataParser reader;
        const int32 stoppedAt = reader.LoadChunk(chunk.Record());
        size_t expected = 0;
        // Where reading stops: the start of the record that did not fit, or the whole data.
        size_t expectedStop = cut < 4 ? 0 : 4;
        if (cut >= firstEnd) expected = 1, expectedStop = firstEnd;
        if (cut >= secondEnd) expected = 2, expectedStop = secondEnd;
        if (cut >= thirdEnd) expected = 3, expectedStop = cut;
        EXPECT_EQ(reader.Values().size(), expected) << "cut at " << cut;
        EXPECT_EQ(stoppedAt, static_cast<int32>(expectedStop)) << "cut at " << cut;
    }
}

TEST(AAX_CChunkDataParser, ReadsTheOtherRecordTypesAndSkipsUnknownLetters)
{
    const Bytes data = {1,   1,   1,   1,                                         //
                        'f', '_', 'f', 0,   0x3F, 0x80, 0,   0,                   // 'f'
                        's', '_', 's', 0,   0x12, 0x34, 0,   0,                   // 's'
                        'q', '_', 'q', 0,                                         // unknown
                        'l', '_', 'n', 'o', 'n',  'u',  'l', 'l', 'x', 'x', 'x'}; // no NUL
    Chunk chunk(data);
    AAX_CChunkDataParser reader;
    reader.LoadChunk(chunk.Record());
    ASSERT_EQ(reader.Values().size(), 3u);
    EXPECT_EQ(reader.Values()[0].mDataType, AAX_CChunkDataParser::kFloat);
    EXPECT_EQ(reader.Values()[0].mIntValue, 0x3F800000);
    EXPECT_EQ(reader.Values()[1].mDataType, AAX_CChunkDataParser::kShort);
    EXPECT_EQ(reader.Values()[1].mIntValue, 0x1234);
    EXPECT_EQ(reader.Values()[2].mDataType, AAX_CChunkDataParser::kNoType);
    EXPECT_EQ(reader.Values()[2].mDataName.StdString(), "q");
}

TEST(AAX_CChunkDataParser, RefusesToWriteMoreThanTheSizeItAnnounces)
{
    // Records of types only ever read (here an unknown one) still fit their announced size.
    const Bytes data = {1, 1, 1, 1, 'q', '_', 'n', 'a', 'm', 'e', 0, 0};
    Chunk source(data);
    AAX_CChunkDataParser parser;
    parser.LoadChunk(source.Record());
    ASSERT_EQ(parser.Values().size(), 1u);
    Chunk out(static_cast<size_t>(parser.GetChunkDataSize()));
    EXPECT_EQ(parser.GetChunkData(out.Record()), 0);
    EXPECT_EQ(out.Record()->fSize, 12);
}

} // namespace
