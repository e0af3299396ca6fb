// The timing of a paced serial line: request and reply each take their bytes' wire time, the
// drive answers only a complete request, and frames in one direction follow each other.
#include <gtest/gtest.h>

#include "linepacer.h"

using vsim::CLinePacer;

namespace {
constexpr int64_t kT = 5'000'000'000;      // any point in time
constexpr int64_t kFrame115200 = 868'055;  // 10 bytes x 10 bits at 115200 Bd, in ns
}  // namespace

TEST(SimLinePacer, UnpacedLineTakesNoTime) {
    CLinePacer line;
    EXPECT_FALSE(line.Paced());
    EXPECT_EQ(line.WireNs(10), 0);
    EXPECT_FALSE(CLinePacer(-9600).Paced());
}

TEST(SimLinePacer, ReplyArrivesAfterRequestAndReplyWireTime) {
    CLinePacer line(115200);
    EXPECT_EQ(line.WireNs(10), kFrame115200);
    EXPECT_EQ(CLinePacer(9600).WireNs(1), 1'041'666);
    const int64_t done = line.RequestDone(kT, 10);
    EXPECT_EQ(done, kT + kFrame115200);
    // Handed over at once (the pseudo-terminal brought the request in one piece): the client
    // has the reply two frame times after it began to send.
    EXPECT_EQ(line.ReplyDue(kT + 20'000, done, 10), kT + 2 * kFrame115200);
}

TEST(SimLinePacer, LateAnswerAddsOnlyTheReplyTime) {
    CLinePacer line(115200);
    const int64_t done = line.RequestDone(kT, 10);
    const int64_t late = kT + 30'000'000;  // a drive answering after 30 ms
    EXPECT_EQ(line.ReplyDue(late, done, 10), late + kFrame115200);
}

TEST(SimLinePacer, FramesInOneDirectionFollowEachOther) {
    CLinePacer line(115200);
    const int64_t first = line.RequestDone(kT, 10);
    const int64_t second = line.RequestDone(kT, 10);  // both frames came in one read
    EXPECT_EQ(second, first + kFrame115200);
    const int64_t reply1 = line.ReplyDue(second, first, 10);
    EXPECT_EQ(reply1, second + kFrame115200);
    EXPECT_EQ(line.ReplyDue(second, second, 10), reply1 + kFrame115200);
    // A request after a quiet spell starts on a free line.
    EXPECT_EQ(line.RequestDone(kT + 1'000'000'000, 10), kT + 1'000'000'000 + kFrame115200);
}
