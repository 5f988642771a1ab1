#include "RenderStatus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orv::apps::RenderStatus;

namespace
{

// The lead-in of the plug-in's trace for a file the companion could not process.
constexpr const char* kLeadIn = "the companion could not process the file: ";

TEST(RenderStatus, CodesReadFromCommAndTheirMessages)
{
    EXPECT_EQ(RenderStatus::FromComm(0.05), RenderStatus::kProcessed);
    EXPECT_EQ(RenderStatus::FromComm(0.22), RenderStatus::kCompanionFailed);
    EXPECT_EQ(RenderStatus::FromComm(0.2199), 22);
    EXPECT_EQ(RenderStatus::FromComm(0.63), 63);
    EXPECT_EQ(RenderStatus::Message(22), "the companion could not process the file");
    EXPECT_EQ(RenderStatus::Message(20), "the companion orvendal-qv is not running");
    EXPECT_EQ(RenderStatus::Message(47), "the processed file's header failed check step 1");
    EXPECT_EQ(RenderStatus::Message(63), "the processed file's header failed check step 17");
    EXPECT_EQ(RenderStatus::Message(64), "unknown status");
}

TEST(RenderStatus, TheCompanionsReasonComesFromTheLastTraceThatGivesIt)
{
    const std::string lead(kLeadIn);
    EXPECT_EQ(RenderStatus::CompanionReason({}), "");
    EXPECT_EQ(RenderStatus::CompanionReason({"unrelated", "sent the request"}), "");
    // Without the colon, or not at the start, it is some other message.
    EXPECT_EQ(RenderStatus::CompanionReason(
                  {"the companion could not process the file", "note: " + lead + "no"}),
              "");
    EXPECT_EQ(
        RenderStatus::CompanionReason({lead + "old", "other", lead + "no such preset 9", "after"}),
        "no such preset 9");
    // A reason spread over lines stays on the one status line.
    EXPECT_EQ(RenderStatus::CompanionReason({lead + "bad file\r\nnot a WAV\n"}),
              "bad file  not a WAV");
}

TEST(RenderStatus, TheCompanionsReportComesFromItsOwnTraces)
{
    const std::string lead = "the companion processed the file: ";
    EXPECT_EQ(RenderStatus::CompanionReport({std::string(kLeadIn) + "no such preset"}), "");
    EXPECT_EQ(RenderStatus::CompanionReport({lead + "Gain +3 dB: done", "after"}),
              "Gain +3 dB: done");
    EXPECT_EQ(RenderStatus::CompanionReport({lead + "two\nlines"}), "two lines");
}

TEST(RenderStatus, TheReasonTraceIsTheLastOneWithTheCodesLeadIn)
{
    const std::vector<std::string> traces = {
        "the companion stopped answering: old", "the companion stopped answering: it sent progress",
        "the interface file could not be created: /h/Documents: Read-only file system", "after"};
    EXPECT_EQ(RenderStatus::ReasonTrace(29, traces),
              "the companion stopped answering: it sent progress");
    EXPECT_EQ(RenderStatus::ReasonTrace(24, traces),
              "the interface file could not be created: /h/Documents: Read-only file system");
    EXPECT_EQ(RenderStatus::ReasonTrace(27, traces), "");
    // A code without a reason of its own prints none, whatever was traced.
    EXPECT_EQ(RenderStatus::ReasonTrace(20, {"the companion orvendal-qv is not running: x"}), "");
    EXPECT_EQ(RenderStatus::Message(29), "the companion stopped answering");
}

TEST(RenderStatus, TheStatusLineGivesTheReasonOnlyForTheCompanionsFailure)
{
    EXPECT_EQ(RenderStatus::Line(22, "the file is not a WAV file"),
              std::string("22 ") + kLeadIn + "the file is not a WAV file");
    EXPECT_EQ(RenderStatus::Line(22, ""), "22 the companion could not process the file");
    EXPECT_EQ(RenderStatus::Line(20, "stray"), "20 the companion orvendal-qv is not running");
    EXPECT_EQ(RenderStatus::Line(5, ""), "5 processed by the companion");
}

} // namespace
