#include "SoundFileWriter.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "TempFolder.h"

using orv::apps::SoundFileWriter;

namespace
{

SF_INFO Format(int format, int channels)
{
    SF_INFO info = {};
    info.samplerate = 48000;
    info.channels = channels;
    info.format = format;
    return info;
}

std::vector<float> ReadAll(const std::string& path, SF_INFO* outInfo)
{
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, outInfo);
    if (!file) return {};
    std::vector<float> samples(static_cast<size_t>(outInfo->frames * outInfo->channels));
    sf_readf_float(file, samples.data(), outInfo->frames);
    sf_close(file);
    return samples;
}

size_t FilesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

TEST(SoundFileWriter, ReplacesTheTargetOnlyWhenCommitted)
{
    orv::test::TempFolder folder;
    const std::string target = folder / "out.wav";
    {
        std::ofstream(target) << "the old file";
    }
    const std::vector<float> samples = {0.5f, -0.5f, 0.25f, -0.25f};
    {
        SoundFileWriter writer;
        std::string error;
        ASSERT_TRUE(writer.Open(target, Format(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2), &error))
            << error;
        ASSERT_TRUE(writer.Write(samples.data(), 2));
        // Until the commit the old file stands, and nothing else is left when the writer
        // goes without one.
        std::ifstream old(target);
        std::string text;
        std::getline(old, text);
        EXPECT_EQ(text, "the old file");
    }
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
    std::ifstream stillOld(target);
    std::string text;
    std::getline(stillOld, text);
    EXPECT_EQ(text, "the old file");

    SoundFileWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open(target, Format(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2), &error));
    ASSERT_TRUE(writer.Write(samples.data(), 2));
    ASSERT_TRUE(writer.Commit(&error)) << error;
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
    SF_INFO info = {};
    EXPECT_EQ(ReadAll(target, &info), samples);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.frames, 2);
    // The result gets the permissions of any new file, not mkstemp's private ones.
    struct stat status = {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_NE(status.st_mode & S_IRGRP, 0u);
}

TEST(SoundFileWriter, IntegerFormatsRoundTripBitForBitAndClipOutOfRangeSamples)
{
    orv::test::TempFolder folder;
    const std::string target = folder / "out.wav";
    // Every value a 16-bit file can hold reads back as k / 32768.
    std::vector<float> samples;
    for (int k = -32768; k < 32768; k += 7)
        samples.push_back(static_cast<float>(k) / 32768.0f);
    samples.push_back(32767.0f / 32768.0f);
    const size_t exact = samples.size();
    // Beyond full scale clips, and a sample that is not a number becomes silence.
    samples.push_back(2.0f);
    samples.push_back(-3.0f);
    samples.push_back(std::numeric_limits<float>::quiet_NaN());
    samples.push_back(std::numeric_limits<float>::infinity());

    SoundFileWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open(target, Format(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1), &error));
    ASSERT_TRUE(writer.Write(samples.data(), static_cast<int64>(samples.size())));
    ASSERT_TRUE(writer.Commit(&error)) << error;

    SF_INFO info = {};
    const std::vector<float> back = ReadAll(target, &info);
    ASSERT_EQ(back.size(), samples.size());
    for (size_t i = 0; i < exact; ++i)
        ASSERT_EQ(back[i], samples[i]) << i;
    EXPECT_EQ(back[exact], 32767.0f / 32768.0f);
    EXPECT_EQ(back[exact + 1], -1.0f);
    EXPECT_EQ(back[exact + 2], 0.0f);
    EXPECT_EQ(back[exact + 3], 32767.0f / 32768.0f);
}

TEST(SoundFileWriter, ReportsWhatItCannotWrite)
{
    orv::test::TempFolder folder;
    SoundFileWriter missingFolder;
    std::string error;
    EXPECT_FALSE(missingFolder.Open(folder / "no/such/folder/out.wav",
                                    Format(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1), &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    float sample = 0.0f;
    EXPECT_FALSE(missingFolder.Write(&sample, 1));
    EXPECT_FALSE(missingFolder.Commit(&error));

    // A format libsndfile cannot write leaves no temporary file behind.
    {
        SoundFileWriter badFormat;
        error.clear();
        EXPECT_FALSE(badFormat.Open(folder / "out.wav", Format(SF_FORMAT_WAV | SF_FORMAT_VORBIS, 1),
                                    &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(FilesIn(folder.Path()), 0u);
}

} // namespace
