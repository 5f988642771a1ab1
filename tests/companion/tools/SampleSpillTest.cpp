#include "SampleSpill.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

namespace companion
{
namespace
{

TEST(SampleSpill, ReadsBackInOrderAcrossMemoryAndTheFileAndAgainAfterARewind)
{
    // A missing $TMPDIR falls back to /tmp.
    const char* was = std::getenv("TMPDIR");
    const std::string saved = was ? was : "";
    ::setenv("TMPDIR", "/nonexistent-orvendal-dir", 1);
    SampleSpill spill(5);
    std::vector<float> samples(12);
    std::iota(samples.begin(), samples.end(), 0.5f);
    // 3 fit in memory, the next 3 would not: they and all after go to the file.
    ASSERT_TRUE(spill.append(samples.data(), 3));
    ASSERT_TRUE(spill.append(samples.data() + 3, 3));
    ASSERT_TRUE(spill.append(samples.data() + 6, 1));
    ASSERT_TRUE(spill.append(samples.data() + 7, 5));
    if (was) ::setenv("TMPDIR", saved.c_str(), 1);
    else ::unsetenv("TMPDIR");
    EXPECT_EQ(spill.size(), 12u);
    for (int time = 0; time < 2; ++time)
    {
        spill.rewind();
        std::vector<float> back(12, -1.0f);
        ASSERT_TRUE(spill.read(back.data(), 2));
        ASSERT_TRUE(spill.read(back.data() + 2, 4)); // across the edge
        ASSERT_TRUE(spill.read(back.data() + 6, 6));
        EXPECT_EQ(back, samples);
        float past = 0.0f;
        EXPECT_FALSE(spill.read(&past, 1));
    }
}

} // namespace
} // namespace companion
