// The oscilloscope objects 0x2300 through the drive.
#include <gtest/gtest.h>

#include "abortcode.h"
#include "drive.h"
#include "sim_table.h"

namespace {

constexpr uint32_t Entry(uint32_t key, int width) {
    return key << 8 | uint32_t(width);
}

class ScopeTest : public ::testing::Test {
protected:
    uint32_t Put(uint32_t key, int64_t value) {
        int64_t stored = 0;
        return drive.Write(key, value, stored);
    }
    vsim::ObjectValue Get(uint32_t key) {
        vsim::ObjectValue v;
        EXPECT_EQ(drive.Read(key, v), 0u);
        return v;
    }
    void Configure(int period, int count, int offset) {
        Put(0x230008, period);
        Put(0x23000A, count);
        Put(0x230009, offset);
    }
    static int32_t Int32At(const QByteArray& b, int at) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
        return int32_t(v);
    }
    static int16_t Int16At(const QByteArray& b, int at) {
        return int16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
    }

    vsim::CObjectTable table = TestTable();
    vsim::CDrive drive{table};
};

}  // namespace

TEST_F(ScopeTest, ManualTriggerRecordsPeriodTimesCountInRecordOrder) {
    Configure(4, 50, 0);
    ASSERT_EQ(Put(0x230003, Entry(0x607800, 16)), 0u);  // channel 3: current
    ASSERT_EQ(Put(0x230005, Entry(0x606400, 32)), 0u);  // pair 1/2: position
    ASSERT_EQ(Put(0x230001, Entry(0x604100, 16)), 0u);  // channel 1: status word
    EXPECT_EQ(Get(0x230007).number, 0);
    ASSERT_EQ(Put(0x230007, 1), 0u);
    EXPECT_EQ(Get(0x230007).number, 3);
    drive.Tick(4 * 49);
    EXPECT_EQ(Get(0x230007).number, 3);  // not before period x count
    drive.Tick(4);
    EXPECT_EQ(Get(0x230007).number, 0);
    const vsim::ObjectValue buffer = Get(0x230010);
    ASSERT_TRUE(buffer.isBytes);
    ASSERT_EQ(buffer.bytes.size(), 50 * (2 + 4 + 2));
    // Per sample :01, :02, :05, :03, :04, :06 where set: status word, position, current.
    EXPECT_EQ(Int16At(buffer.bytes, 0), 0x0640);  // switch on disabled, at standstill
    EXPECT_EQ(Int32At(buffer.bytes, 2), 0);
    EXPECT_NE(Int16At(buffer.bytes, 6), Int16At(buffer.bytes, 14));  // the current moves
}

TEST_F(ScopeTest, TriggerOnRisingEdgeKeepsThePreTriggerSamples) {
    Configure(1, 40, 10);
    Put(0x230005, Entry(0x606C00, 32));  // velocity
    Put(0x23000C, Entry(0x606C00, 32));
    Put(0x23000B, 0);
    Put(0x23000D, 500);
    Put(0x230007, 1);
    drive.Tick(100);
    EXPECT_EQ(Get(0x230007).number, 2);  // waiting: the motor stands still
    Put(0x606000, 3);
    Put(0x60FF00, 3000);
    for (int cw : {0x06, 0x07, 0x0F}) Put(0x604000, cw);
    drive.Tick(16000);
    ASSERT_EQ(Get(0x230007).number, 0);
    const QByteArray b = Get(0x230010).bytes;
    ASSERT_EQ(b.size(), 40 * 4);
    EXPECT_LT(Int32At(b, 9 * 4), 500);
    EXPECT_GE(Int32At(b, 10 * 4), 500);
}

TEST_F(ScopeTest, BufferHoldsWholeRecordsUpTo8192Bytes) {
    Configure(1, 8192, 0);
    Put(0x230001, Entry(0x607800, 16));
    Put(0x230005, Entry(0x606400, 32));
    Put(0x230007, 1);
    drive.Tick(8192);
    ASSERT_EQ(Get(0x230007).number, 0);
    EXPECT_EQ(Get(0x230010).bytes.size(), 8192 / 6 * 6);
}

TEST_F(ScopeTest, RefusesSourcesThatDoNotFitTheirSlot) {
    EXPECT_EQ(Put(0x230001, Entry(0x606400, 32)), vsim::kAbortValueRange);  // 32 bits in 16
    EXPECT_EQ(Put(0x230001, Entry(0x607800, 32)), vsim::kAbortValueRange);  // wrong width
    EXPECT_EQ(Put(0x230005, Entry(0x123400, 32)), vsim::kAbortValueRange);  // no object
    EXPECT_EQ(Put(0x230007, 2), vsim::kAbortValueRange);
    EXPECT_EQ(Put(0x230005, Entry(0x607800, 16)), 0u);  // a narrow object in a wide slot
    EXPECT_EQ(drive.Values().Get(0x230001), 0);
}

TEST_F(ScopeTest, CancelStopsTheCaptureAndKeepsTheLastRecord) {
    Configure(1, 10, 0);
    Put(0x230001, Entry(0x607800, 16));
    Put(0x230007, 1);
    drive.Tick(10);
    ASSERT_EQ(Get(0x230010).bytes.size(), 20);
    Put(0x230007, 1);
    drive.Tick(3);
    Put(0x230007, 0);
    EXPECT_EQ(Get(0x230007).number, 0);
    EXPECT_EQ(Get(0x230010).bytes.size(), 20);
}
