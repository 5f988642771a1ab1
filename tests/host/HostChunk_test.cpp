#include "HostChunk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
using orv::host::HostChunk;

HostChunk Sample()
{
    HostChunk chunk(6);
    AAX_SPlugInChunk* record = chunk.Record();
    record->fVersion = -1;
    record->fManufacturerID = 0x42726E6C;
    record->fChunkID = 0x656C636B;
    std::strcpy(reinterpret_cast<char*>(record->fName), "Complete Controls State");
    std::memcpy(reinterpret_cast<unsigned char*>(record) + kAAX_SPlugInChunkHeaderSize,
                "\x01\x01\x01\x01\xAB\xCD", 6);
    return chunk;
}

TEST(HostChunk, FileFormIsTheLittleEndianHeaderThenTheData)
{
    const std::vector<unsigned char> bytes = Sample().Serialize();
    ASSERT_EQ(bytes.size(), 56u + 6u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8),
              std::vector<unsigned char>({6, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 20, bytes.begin() + 24),
              std::vector<unsigned char>({0x6B, 0x63, 0x6C, 0x65}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 24),
              "Complete Controls State");
    EXPECT_EQ(bytes.back(), 0xCD);

    HostChunk read;
    std::string error;
    ASSERT_TRUE(HostChunk::Parse(bytes, &read, &error)) << error;
    EXPECT_EQ(read.Serialize(), bytes);
    EXPECT_EQ(read.Record()->fManufacturerID, 0x42726E6Cu);
    EXPECT_EQ(read.Name(), "Complete Controls State");
    EXPECT_EQ(read.DataSize(), 6u);
}

TEST(HostChunk, RefusesEveryCutAndAnyTrailingByte)
{
    const std::vector<unsigned char> bytes = Sample().Serialize();
    for (size_t cut = 0; cut < bytes.size(); ++cut)
    {
        HostChunk read;
        std::string error;
        EXPECT_FALSE(HostChunk::Parse(
            std::vector<unsigned char>(bytes.begin(), bytes.begin() + cut), &read, &error))
            << "cut at " << cut;
        EXPECT_FALSE(error.empty());
    }
    std::vector<unsigned char> longer = bytes;
    longer.push_back(0);
    HostChunk read;
    EXPECT_FALSE(HostChunk::Parse(longer, &read, nullptr));

    // A record that claims more than its room writes only what it holds.
    HostChunk liar(4);
    liar.Record()->fSize = 1000;
    EXPECT_EQ(liar.DataSize(), 4u);
    EXPECT_EQ(liar.Serialize().size(), 60u);
    liar.Record()->fSize = -3;
    EXPECT_EQ(liar.DataSize(), 0u);
}

} // namespace
