#include "WavFloatWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace companion
{
namespace
{

TEST(WavFloatWriter, WritesTheCanonicalOneChannelFloatLayout)
{
    const std::vector<uint8_t> header = WavFloatWriter::header(44100, 3);
    const uint8_t expected[44] = {'R', 'I', 'F',  'F',  48,  0,   0,    0,    'W', 'A', 'V',
                                  'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   3,   0,
                                  1,   0,   0x44, 0xAC, 0,   0,   0x10, 0xB1, 2,   0,   4,
                                  0,   32,  0,    'd',  'a', 't', 'a',  12,   0,   0,   0};
    ASSERT_EQ(header.size(), WavFloatWriter::kHeaderBytes);
    EXPECT_EQ(0, std::memcmp(header.data(), expected, sizeof expected));

    test::TempFolder folder;
    const auto path = folder / "out.wav";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    WavFloatWriter writer(fd, 44100, 3);
    ASSERT_TRUE(writer.writeHeader());
    const float samples[] = {0.5f, -1.0f, 0.25f};
    EXPECT_FALSE(writer.finish()); // nothing written yet
    ASSERT_TRUE(writer.write(samples, 2));
    EXPECT_FALSE(writer.write(samples, 2)); // one more than announced
    ASSERT_TRUE(writer.write(samples + 2, 1));
    EXPECT_TRUE(writer.finish());
    ::close(fd);

    const std::string bytes = test::readBytes(path);
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(0, std::memcmp(bytes.data(), expected, 44));
    float back[3];
    std::memcpy(back, bytes.data() + 44, sizeof back);
    EXPECT_EQ(back[0], 0.5f);
    EXPECT_EQ(back[1], -1.0f);
    EXPECT_EQ(back[2], 0.25f);
}

} // namespace
} // namespace companion
