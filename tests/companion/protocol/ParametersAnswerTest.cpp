#include "ParametersAnswer.h"
#include "CompanionProtocol.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

TEST(ParametersAnswer, IsTheExactTextTheEditorParses)
{
    const std::string answer = ParametersAnswer::build();
    EXPECT_EQ(answer,
              "{\"version\":\"1.0.0\",\"tools\":[\"Gain\",\"Normalize\",\"Denoise\",\"De-hum\","
              "\"Band\",\"De-click\",\"De-clip\"],\"presets\":[[\"-12 dB\",\"-6 dB\",\"-3 "
              "dB\",\"+3 dB\",\"+6 dB\"],"
              "[\"Peak -1 dBFS\",\"Peak -0.1 dBFS\",\"-23 LUFS\",\"-16 LUFS\",\"-14 LUFS\"],"
              "[\"Light\",\"Medium\",\"Strong\"],[\"50 Hz\",\"60 Hz\",\"Auto\"],[\"Keep band\","
              "\"Remove band\"],[\"Light\",\"Medium\",\"Strong\"],[\"Auto\"]],\"rangeMax\":96000}");
    EXPECT_LE(answer.size(), CompanionProtocol::kMaxParametersAnswerBytes);
}

} // namespace
} // namespace companion
