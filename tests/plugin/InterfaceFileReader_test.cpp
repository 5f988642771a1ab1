#include "InterfaceFileReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <sndfile.h>
#include <sstream>

#include "OfflineStatus.h"
#include "TempFolder.h"
#include "WavBytes.h"

namespace
{

using orv::test::TempFolder;
using orv::test::WavBytes;

constexpr float kRate = 48000.0f;

int32 Check(const WavBytes& wav, const TempFolder& folder, int32 samplesExpected,
            float rate = kRate, size_t length = SIZE_MAX)
{
    const std::string path = folder / "processed.wav";
    wav.WriteTo(path, length);
    InterfaceFileReader reader;
    return reader.Open(path, 1, rate, samplesExpected);
}

TEST(InterfaceFileReader, TruncatedHeaderFailsWithTheCodeOfTheReadThatRanShort)
{
    TempFolder folder;
    // One chunk to pass over before the format chunk and one before the data chunk, so that
    // every step of the check has bytes of its own.
    WavBytes wav;
    wav.Tag("RIFF").U32(56).Tag("WAVE").Chunk("JUNK", 4).Format(3, 1, 48000, 32);
    wav.Chunk("LIST", 4).Tag("data").U32(0);
    ASSERT_EQ(wav.Size(), 68u);
    struct Step
    {
        size_t end;
        int32 code;
    };
    const Step steps[] = {{4, 47},  {8, 48},  {12, 49}, {16, 50}, {20, 51}, {28, 52},
                          {32, 54}, {34, 55}, {36, 56}, {40, 57}, {46, 58}, {48, 59},
                          {52, 60}, {56, 61}, {64, 62}, {68, 63}};
    size_t length = 0;
    for (const Step& step : steps)
        for (; length < step.end; ++length)
            EXPECT_EQ(Check(wav, folder, 0, kRate, length), step.code) << "length " << length;
    EXPECT_EQ(Check(wav, folder, 0), 0);

    InterfaceFileReader reader;
    EXPECT_EQ(reader.Open(folder / "missing.wav", 1, kRate, 0), kStatusReadFirstTag);
    EXPECT_FALSE(reader.IsOpen());
}

TEST(InterfaceFileReader, AcceptsTagsInBothCasesAndPassesOverExtraChunks)
{
    TempFolder folder;
    const std::vector<float> samples = {0.5f, -0.25f, 1.0f};

    WavBytes lower;
    lower.Tag("riff").U32(48).Tag("wave").Format(3, 1, 48000, 32, "FMT ");
    lower.Tag("DATA").U32(12).Floats(samples);
    EXPECT_EQ(Check(lower, folder, 3), 0);

    auto withChunksBeforeFormat = [&](int chunks)
    {
        WavBytes wav;
        wav.Tag("RIFF").U32(0).Tag("WAVE");
        for (int i = 0; i < chunks; ++i)
            wav.Chunk("junk", 4);
        wav.Format(3, 1, 48000, 32).Tag("data").U32(12).Floats(samples);
        return wav;
    };
    EXPECT_EQ(Check(withChunksBeforeFormat(1), folder, 3), 0);
    EXPECT_EQ(Check(withChunksBeforeFormat(9), folder, 3), 0);
    EXPECT_EQ(Check(withChunksBeforeFormat(10), folder, 3), kStatusTooManyChunks);

    WavBytes twoBeforeData;
    twoBeforeData.Tag("RIFF").U32(0).Tag("WAVE").Format(3, 1, 48000, 32);
    twoBeforeData.Chunk("fact", 4).Chunk("PEAK", 16).Tag("data").U32(12).Floats(samples);
    EXPECT_EQ(Check(twoBeforeData, folder, 3), 0);

    // After eight chunks the search stops and takes the chunk at hand as the data chunk.
    WavBytes nineBeforeData;
    nineBeforeData.Tag("RIFF").U32(0).Tag("WAVE").Format(3, 1, 48000, 32);
    for (int i = 0; i < 8; ++i)
        nineBeforeData.Chunk("junk", 2);
    nineBeforeData.Tag("odd!").U32(12).Floats(samples);
    EXPECT_EQ(Check(nineBeforeData, folder, 3), 0);

    // A format chunk longer than 16 bytes is passed over to its end.
    WavBytes longFormat;
    longFormat.Tag("RIFF").U32(0).Tag("WAVE").Tag("fmt ").U32(18).U16(3).U16(1).U32(48000);
    longFormat.U32(192000).U16(4).U16(32).U16(0).Tag("data").U32(12).Floats(samples);
    EXPECT_EQ(Check(longFormat, folder, 3), 0);
}

TEST(InterfaceFileReader, RefusesOtherFormatsAndOtherLengths)
{
    TempFolder folder;
    const std::vector<float> samples(10, 0.5f);
    auto file = [&](uint16_t code, uint16_t channels, uint32_t rate, uint16_t bits,
                    const char* riff = "RIFF", const char* wave = "WAVE")
    {
        WavBytes wav;
        wav.Tag(riff).U32(0).Tag(wave).Format(code, channels, rate, bits);
        wav.Tag("data").U32(40).Floats(samples);
        return wav;
    };
    EXPECT_EQ(Check(file(3, 1, 48000, 32), folder, 10), 0);
    EXPECT_EQ(Check(file(1, 1, 48000, 16), folder, 10), kStatusFormat);
    EXPECT_EQ(Check(file(3, 2, 48000, 32), folder, 10), kStatusFormat);
    EXPECT_EQ(Check(file(3, 1, 48000, 32), folder, 10, 44100.0f), kStatusFormat);
    EXPECT_EQ(Check(file(3, 1, 48000, 32, "RIFX"), folder, 10), kStatusFormat);
    EXPECT_EQ(Check(file(3, 1, 48000, 32, "RIFF", "AVI "), folder, 10), kStatusFormat);
    // 32-bit integer files pass: the format code is not examined.
    EXPECT_EQ(Check(file(1, 1, 48000, 32), folder, 10), 0);
    EXPECT_EQ(Check(file(3, 1, 48000, 32), folder, 9), kStatusSampleCount);
    EXPECT_EQ(Check(file(3, 1, 48000, 32), folder, 11), kStatusSampleCount);
}

TEST(InterfaceFileReader, SlicesStopWhereTheDataEnds)
{
    const std::vector<float> samples = {1, 2, 3, 4, 5, 6, 7};
    WavBytes wav = WavBytes::Interface(samples, 48000);
    // Announce ten samples but hold seven.
    std::vector<unsigned char> bytes = wav.Bytes();
    bytes[40] = 40;
    InterfaceFileReader reader;
    auto stream = std::make_unique<std::istringstream>(std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(reader.Open(std::move(stream), 1, kRate, 10), 0);

    float slice[4] = {0, 0, 0, 0};
    EXPECT_EQ(reader.ReadSlice(slice, 4), 0);
    EXPECT_EQ(slice[3], 4.0f);
    float last[4] = {-1, -1, -1, -1};
    EXPECT_EQ(reader.ReadSlice(last, 4), kStatusSliceRead);
    EXPECT_EQ(reader.SamplesRead(), 3);
    EXPECT_EQ(last[2], 7.0f);
    EXPECT_EQ(last[3], -1.0f);
    EXPECT_EQ(reader.ReadSlice(last, 1), kStatusSliceRead);
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.ReadSlice(last, 1), kStatusSliceRead);
}

TEST(InterfaceFileReader, ASliceEndsBeforeTheFirstSampleThatIsNoFiniteNumber)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const std::vector<float> samples = {1, 2, 3, nan, 5, -infinity, 7, 8};
    const std::vector<unsigned char> bytes = WavBytes::Interface(samples, 48000).Bytes();
    InterfaceFileReader reader;
    auto stream = std::make_unique<std::istringstream>(std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(reader.Open(std::move(stream), 1, kRate, 8), 0);

    float slice[2] = {0, 0};
    EXPECT_EQ(reader.ReadSlice(slice, 2), 0);
    EXPECT_EQ(reader.SamplesRead(), 2);
    EXPECT_EQ(reader.ReadSlice(slice, 2), kStatusSliceRead);
    EXPECT_EQ(reader.SamplesRead(), 1);
    EXPECT_EQ(slice[0], 3.0f);
    EXPECT_EQ(reader.ReadSlice(slice, 1), 0);
    EXPECT_EQ(slice[0], 5.0f);
    // A slice that starts with one takes nothing; finite samples after it read again.
    EXPECT_EQ(reader.ReadSlice(slice, 1), kStatusSliceRead);
    EXPECT_EQ(reader.SamplesRead(), 0);
    EXPECT_EQ(reader.ReadSlice(slice, 2), 0);
    EXPECT_EQ(slice[1], 8.0f);
}

TEST(InterfaceFileReader, AcceptsFloatFilesOfOtherToolsAndRefusesTheir16BitFiles)
{
    TempFolder folder;
    const int frames = 1000;
    auto writeWithSndfile = [&](const std::string& path, int format)
    {
        SF_INFO info{};
        info.samplerate = 48000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        // A software string brings a LIST chunk; float files also get fact and PEAK.
        sf_set_string(file, SF_STR_SOFTWARE, "orvendal tests");
        std::vector<float> samples(frames);
        for (int i = 0; i < frames; ++i)
            samples[i] = static_cast<float>(i) / frames;
        sf_writef_float(file, samples.data(), frames);
        sf_close(file);
    };
    writeWithSndfile(folder / "sndfile_float.wav", SF_FORMAT_FLOAT);
    writeWithSndfile(folder / "sndfile_16.wav", SF_FORMAT_PCM_16);

    InterfaceFileReader reader;
    ASSERT_EQ(reader.Open(folder / "sndfile_float.wav", 1, kRate, frames), 0);
    std::vector<float> read(frames);
    EXPECT_EQ(reader.ReadSlice(read.data(), frames), 0);
    EXPECT_EQ(read[500], 0.5f);
    EXPECT_EQ(reader.Open(folder / "sndfile_16.wav", 1, kRate, frames), kStatusFormat);

    const std::string sox = "sox -q -n -r 48000 -c 1 ";
    const std::string synth = " synth 1000s sine 440";
    ASSERT_EQ(std::system((sox + "-b 32 -e floating-point " + (folder / "sox_float.wav") + synth +
                           " >/dev/null 2>&1")
                              .c_str()),
              0);
    ASSERT_EQ(std::system((sox + "-b 16 -e signed-integer " + (folder / "sox_16.wav") + synth +
                           " >/dev/null 2>&1")
                              .c_str()),
              0);
    EXPECT_EQ(reader.Open(folder / "sox_float.wav", 1, kRate, frames), 0);
    EXPECT_EQ(reader.ReadSlice(read.data(), frames), 0);
    EXPECT_EQ(reader.Open(folder / "sox_16.wav", 1, kRate, frames), kStatusFormat);
}

} // namespace
