// The host's own reading of answer streams: what was asked, what ended, and
// where each block goes.
#include <gtest/gtest.h>

#include "poll/answer_blocks.h"
#include "transport/answer_tracker.h"

namespace pathost {
namespace {

TEST(RequestedCategories, InfoAndInquireLinesOnceEach) {
    std::string request =
        "\x1B%-12345X@PJL\r\n@PJL INFO CONFIG\r\n@PJL INQUIRE INTRAY1SIZE\r\n@PJL INFO CONFIG\r\n"
        "@PJL ECHO X\r\n@PJL INFO OUTBINSTATUS\r\n\x1B%-12345X";
    EXPECT_EQ(RequestedCategories(request), (std::vector<std::string>{"CONFIG", "INTRAY1SIZE", "OUTBINSTATUS"}));
}

TEST(AnswerTracker, DoneWhenEveryCategoryEndedEvenAcrossChunks) {
    AnswerTracker tracker({"CONFIG", "INTRAY1SIZE"}, {"ZOLT"}, "PATHOST-1");
    std::string answer = "@PJL INFO CONFIG\r\nMEMORY=1\r\n\f@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f@PJL INFO ZOLT\r\n\f";
    for (size_t i = 0; i < answer.size(); ++i) {
        EXPECT_FALSE(tracker.Done()) << "before byte " << i;
        tracker.Feed(answer.substr(i, 1));
    }
    EXPECT_TRUE(tracker.Done());
    EXPECT_TRUE(tracker.MissingRequired().empty());
}

TEST(AnswerTracker, TheClosingEchoEndsReadingAndLeavesTheRestMissing) {
    AnswerTracker tracker({"CONFIG", "OUTBINSTATUS"}, {"ZOLT"}, "PATHOST-1");
    tracker.Feed("@PJL INFO CONFIG\r\n\f@PJL ECHO PATHOST-0\r\n\f");
    EXPECT_FALSE(tracker.Done()) << "an echo of another request";
    tracker.Feed("@PJL ECHO PATHOST-1\r\n\f");
    EXPECT_TRUE(tracker.Done());
    EXPECT_EQ(tracker.MissingRequired(), std::vector<std::string>{"OUTBINSTATUS"});
    EXPECT_EQ(tracker.MissingOptional(), std::vector<std::string>{"ZOLT"});
}

TEST(AnswerTracker, ABlockLeftWithoutItsFormFeedNeverEnds) {
    AnswerTracker tracker({"CONFIG", "OUTBINSTATUS"}, {}, "");
    tracker.Feed("@PJL INFO CONFIG\r\nMEMORY=1\r\n@PJL INFO OUTBINSTATUS\r\nUPPER=READY\r\n\f");
    EXPECT_EQ(tracker.MissingRequired(), std::vector<std::string>{"CONFIG"});
    // A flood of one endless line keeps no more than its start.
    tracker.Feed(std::string(1 << 20, 'X'));
    EXPECT_FALSE(tracker.Done());
}

TEST(SplitAnswer, RoutesZoltBlocksAndDropsTheHostsEcho) {
    std::string stream =
        "\x1B%-12345X@PJL INFO CONFIG\r\nMEMORY=1\r\n\f"
        "@PJL INFO ZOLT\r\nOTHER=A\r\n\f"
        "@PJL ECHO PATHOST-00C0FFEE\r\n\f"
        "@PJL ECHO SOMEONE\r\n\f"
        "@PJL INQUIRE INTRAY1\r\nLOCKED\r\n";
    AnswerParts parts = SplitAnswer(stream);
    EXPECT_EQ(parts.zolt, "@PJL INFO ZOLT\r\nOTHER=A\r\n\f");
    EXPECT_EQ(parts.main,
              "\x1B%-12345X@PJL INFO CONFIG\r\nMEMORY=1\r\n\f@PJL ECHO SOMEONE\r\n\f@PJL INQUIRE INTRAY1\r\nLOCKED\r\n");
}

TEST(SplitAnswer, AZoltBlockWithoutFormFeedEndsAtTheNextCommandLine) {
    AnswerParts parts = SplitAnswer("@PJL INFO ZOLT\r\nOTHER=A\r\n@PJL INFO CONFIG\r\n\f");
    EXPECT_EQ(parts.zolt, "@PJL INFO ZOLT\r\nOTHER=A\r\n");
    EXPECT_EQ(parts.main, "@PJL INFO CONFIG\r\n\f");
}

}  // namespace
}  // namespace pathost
