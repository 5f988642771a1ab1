#include "CompanionAnswerReader.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string Read(const std::string& answer, size_t split, bool* progress = nullptr)
{
    CompanionAnswerReader reader;
    reader.Take(answer.data(), split);
    reader.Take(answer.data() + split, answer.size() - split);
    reader.Finish();
    if (progress) *progress = reader.ProgressSeen();
    return reader.Text();
}

TEST(CompanionAnswerReader, KeepsTheFirstErrorAndReportLinesFirstWhereverTheAnswerIsSplit)
{
    const std::string answer =
        "{\"progress\":0.1}\n{\"report\":\"done\"}\nnoise\n"
        "{\"progress\":0.5}\n{\"error\":\"disk full\"}\n{\"error\":\"later\"}\n"
        "{\"progress\":1}";
    for (size_t split = 0; split <= answer.size(); ++split)
    {
        bool progress = false;
        EXPECT_EQ(
            Read(answer, split, &progress),
            "{\"error\":\"disk full\"}\n{\"report\":\"done\"}\nnoise\n{\"error\":\"later\"}\n")
            << split;
        EXPECT_TRUE(progress);
    }
    bool progress = true;
    EXPECT_EQ(Read("plain", 2, &progress), "plain\n");
    EXPECT_FALSE(progress);
}

TEST(CompanionAnswerReader, ProgressCountsTowardNoLimitAndTheRestStaysWithin64KiB)
{
    std::string progress;
    while (progress.size() < 300 * 1024)
        progress += "{\"progress\":0.25}\n";
    std::string rest = std::string(5000, 'x') + "\n";
    while (rest.size() < 200 * 1024)
        rest += std::string(1000, 'y') + "\n";
    const std::string text = Read(progress + rest + progress + "{\"report\":\"ok\"}\n", 12345);
    EXPECT_EQ(text.rfind("{\"report\":\"ok\"}\n", 0), 0u);
    EXPECT_LE(text.size(), 16 + CompanionAnswerReader::kMaxRestBytes);
    EXPECT_GE(text.size(), CompanionAnswerReader::kMaxRestBytes);
    // Each kept line is cut to its first kilobyte.
    EXPECT_EQ(text.find(std::string(CompanionAnswerReader::kMaxLineBytes + 1, 'x')),
              std::string::npos);
}

} // namespace
