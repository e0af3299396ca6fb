#include <gtest/gtest.h>

#include "serialframer.h"

using vsim::CSerialFramer;

namespace {
const uint8_t kReadStatus[10] = {0x01, 0x40, 0x41, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E};
}

TEST(SimSerialFramer, ChecksumMakesTheFrameSumToZero) {
    EXPECT_EQ(CSerialFramer::Checksum(kReadStatus), 0x1E);
    const vsim::SerialFrame f = CSerialFramer::Encode(3, {0x4B, 0x41, 0x60, 0, 0x37, 0x02, 0, 0});
    uint8_t sum = 0;
    for (uint8_t b : f) sum = uint8_t(sum + b);
    EXPECT_EQ(sum, 0);
    EXPECT_EQ(f[0], 3);
}

TEST(SimSerialFramer, AssemblesFramesFromPieces) {
    CSerialFramer framer(1);
    EXPECT_TRUE(framer.Feed(kReadStatus, 4, 0).empty());
    auto frames = framer.Feed(kReadStatus + 4, 6, 1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][0], 0x40);
    EXPECT_EQ(frames[0][2], 0x60);
    uint8_t two[20];
    std::copy_n(kReadStatus, 10, two);
    std::copy_n(kReadStatus, 10, two + 10);
    EXPECT_EQ(framer.Feed(two, 20, 2).size(), 2u);
}

TEST(SimSerialFramer, IgnoresOtherAddressesAndResynchronises) {
    CSerialFramer framer(2);
    EXPECT_TRUE(framer.Feed(kReadStatus, 10, 0).empty());  // for drive 1
    const vsim::SerialFrame mine = CSerialFramer::Encode(2, {0x40, 0x41, 0x60, 0, 0, 0, 0, 0});
    uint8_t noisy[13] = {0x55, 0xAA, 0x07};
    std::copy(mine.begin(), mine.end(), noisy + 3);
    EXPECT_EQ(framer.Feed(noisy, 13, 1).size(), 1u);
    EXPECT_GE(framer.BadChecksums(), 1);
}

TEST(SimSerialFramer, PauseDropsAPartialFrame) {
    CSerialFramer framer(1);
    framer.Feed(kReadStatus, 5, 0);
    EXPECT_TRUE(framer.Feed(kReadStatus, 10, 0 + CSerialFramer::kGapMs + 1).size() == 1);
}
