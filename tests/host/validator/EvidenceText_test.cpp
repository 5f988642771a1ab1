// How identifiers and values appear in reports, evidence and file names, and how packets are
// read back into values.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "EvidenceText.h"
#include "PacketLayout.h"

namespace orv::test
{
namespace
{
using namespace host::validator;

TEST(EvidenceText, IdentifiersValuesAndFileNames)
{
    EXPECT_EQ(PrintableIdentifier(nullptr), "(null)");
    EXPECT_EQ(PrintableIdentifier(""), "(empty)");
    EXPECT_EQ(PrintableIdentifier("Par1"), "\"Par1\"");
    EXPECT_EQ(PrintableIdentifier("a\"b\\c\x01\xff"), "\"a\\x22b\\x5cc\\x01\\xff\"");
    const std::string longer(100, 'x');
    EXPECT_EQ(PrintableIdentifier(longer.c_str()),
              "\"" + std::string(40, 'x') + "\"... (100 bytes)");

    EXPECT_EQ(ExactDigits(0.1f), "0.10000000149011612");
    EXPECT_EQ(std::stod(ExactDigits(1.0 / 3.0)), 1.0 / 3.0);
    EXPECT_EQ(ExactDigits(std::numeric_limits<double>::quiet_NaN()), "nan");

    EXPECT_EQ(FileNamePart("Par1"), "Par1");
    EXPECT_EQ(FileNamePart("../a b/c"), ".._a_b_c");
    EXPECT_EQ(FileNamePart(""), "_");
}

std::vector<unsigned char> Bytes(const void* value, size_t size, size_t padded = 8)
{
    std::vector<unsigned char> bytes(padded, 0);
    std::memcpy(bytes.data(), value, size);
    return bytes;
}

TEST(PacketLayout, DecodesEachEncodingAndComparesAtItsPrecision)
{
    using Encoding = PacketLayout::Encoding;
    const float single = 0.3f;
    const uint32 on = 1;
    const double twice = 0.3;
    double decoded = 0.0;

    ASSERT_TRUE(PacketLayout::Decode(Encoding::Float32, Bytes(&single, 4), &decoded));
    EXPECT_EQ(decoded, static_cast<double>(single));
    // A float packet carries the double it was made from, but not a different float.
    EXPECT_TRUE(PacketLayout::Carries(Encoding::Float32, decoded, 0.3));
    EXPECT_FALSE(PacketLayout::Carries(Encoding::Float32, decoded, 0.30001));

    ASSERT_TRUE(PacketLayout::Decode(Encoding::Integer32, Bytes(&on, 4), &decoded));
    EXPECT_EQ(decoded, 1.0);
    EXPECT_TRUE(PacketLayout::Carries(Encoding::Integer32, decoded, 1.0));
    EXPECT_FALSE(PacketLayout::Carries(Encoding::Integer32, decoded, 0.0));

    ASSERT_TRUE(PacketLayout::Decode(Encoding::Float64, Bytes(&twice, 8), &decoded));
    EXPECT_EQ(decoded, 0.3);
    EXPECT_FALSE(PacketLayout::Carries(Encoding::Float64, decoded, 0.3f));

    // Too short for the encoding: nothing is read.
    EXPECT_FALSE(PacketLayout::Decode(Encoding::Float32, Bytes(&single, 3, 3), &decoded));
    EXPECT_FALSE(PacketLayout::Decode(Encoding::Float64, Bytes(&twice, 4, 4), &decoded));
    EXPECT_FALSE(PacketLayout::Decode(Encoding::Integer32, {}, &decoded));
}

} // namespace
} // namespace orv::test
