#include "InterfaceFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "OfflineStatus.h"
#include "TempFolder.h"
#include "WavBytes.h"

namespace
{

using orv::test::TempFolder;
using orv::test::WavBytes;

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(InterfaceFileWriter, WritesTheHeaderThenTheSamplesThenTheSizes)
{
    TempFolder folder;
    const std::string path = folder / "Orvendal_interface_0.wav";
    InterfaceFileWriter writer;
    ASSERT_EQ(writer.Open(path, 1, 44100.7f), 0);
    writer.Append(nullptr, 0);
    std::vector<unsigned char> open = ReadAll(path);
    // While recording the sizes read 36 and 0.
    WavBytes expected;
    expected.Tag("RIFF").U32(36).Tag("WAVE").Tag("fmt ").U32(16).U16(3).U16(1).U32(44100);
    expected.U32(static_cast<uint32_t>(1 * 44100.7f * 4)).U16(4).U16(32).Tag("data").U32(0);
    EXPECT_EQ(writer.Complete(0), 0);
    EXPECT_EQ(ReadAll(path), expected.Bytes());

    const std::vector<float> first = {0.25f, -0.5f};
    const std::vector<float> second = {1.0f};
    ASSERT_EQ(writer.Open(path, 1, 48000.0f), 0);
    EXPECT_EQ(writer.Append(first.data(), 2), 0);
    EXPECT_EQ(writer.Append(second.data(), 1), 0);
    EXPECT_EQ(writer.Append(second.data(), -5), 0);
    EXPECT_EQ(writer.Complete(12), 0);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(ReadAll(path), WavBytes::Interface({0.25f, -0.5f, 1.0f}, 48000).Bytes());
}

TEST(InterfaceFileWriter, ReportsWhatCannotBeWritten)
{
    TempFolder folder;
    InterfaceFileWriter writer;
    EXPECT_EQ(writer.Open("", 1, 48000.0f), kStatusCreateFile);
    EXPECT_EQ(writer.Open(folder.Path(), 1, 48000.0f), kStatusCreateFile);
    EXPECT_EQ(writer.Open(folder / "no/such/folder/x.wav", 1, 48000.0f), kStatusCreateFile);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Complete(0), kStatusCompleteFile);
    const float sample = 0.0f;
    EXPECT_EQ(writer.Append(&sample, 1), kStatusAppendSlice);

    // A full device takes the buffered header but refuses the samples. They are gathered
    // before they are written, so a later append says so, at the latest the one that
    // passes a mebibyte.
    ASSERT_EQ(writer.Open("/dev/full", 1, 48000.0f), 0);
    std::vector<float> many(1 << 16, 0.0f);
    int32 status = 0;
    int appends = 0;
    while (status == 0 && appends < 10)
    {
        status = writer.Append(many.data(), static_cast<int32>(many.size()));
        ++appends;
    }
    EXPECT_EQ(status, kStatusAppendSlice);
    EXPECT_LE(appends, 5);
    // Samples still gathered at the end reach the device with the sizes: the completion
    // fails.
    ASSERT_EQ(writer.Open("/dev/full", 1, 48000.0f), 0);
    EXPECT_EQ(writer.Append(many.data(), 16), 0);
    EXPECT_NE(writer.Complete(64), 0);
    EXPECT_FALSE(writer.IsOpen());
}

} // namespace
