// The error code rules: the code table, the history unit naming the bits, the newest-first
// order, and the names of set bits.
#include <gtest/gtest.h>

#include "app/global.h"
#include "maintenance/errorcodes.h"
#include "support/temp_base.h"

namespace {

class ErrorCodesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.CopyFromRuntime("data/velto.dat"));
        base.Write("sys/sys.ini", "[sys]\nlang=2\n");
        g = std::make_unique<CGlobal>(base.Path());
        g->dictionary.WaitLoaded(20000);
    }
    QString Row(std::int32_t key, const QString& unit, const QString& type, std::uint32_t raw) {
        QString text;
        EXPECT_TRUE(errors::FormatErrorRowValue(*g, 0, key, unit, type, raw, text));
        return text;
    }
    TempBase base;
    std::unique_ptr<CGlobal> g;
};

TEST_F(ErrorCodesTest, HistoryCodesAreNamedByTheUnitItemOfTheirBit) {
    const std::int32_t code1 = errors::HistoryCodeKey(0), code8 = errors::HistoryCodeKey(7);
    EXPECT_EQ(code1, 0x261001);
    EXPECT_EQ(code8, 0x261701);
    EXPECT_EQ(Row(code1, "code", "UNSIGNED16", 0x2320), "0080 Short");
    EXPECT_EQ(Row(code8, "code", "UNSIGNED16", 0x8A81), "2000 MOT|FCL");
    // Outside the table: the code itself, as a number in the unit.
    EXPECT_EQ(Row(code1, "code", "UNSIGNED16", 0x1234), "4660");
    EXPECT_EQ(Row(code1, "code", "UNSIGNED16", 0), "0");
    // The display formats show the bit value itself.
    EXPECT_EQ(Row(code1, "HEX", "UNSIGNED16", 0x2320), "0080");
    EXPECT_EQ(Row(code1, "DEC", "UNSIGNED16", 0x7306), "32768");
}

TEST_F(ErrorCodesTest, OtherRowsKeepTheirValueAndNeedANumericType) {
    // Not a history code: 0x2320 stays 0x2320.
    EXPECT_EQ(Row(0x261006, "HEX", "UNSIGNED16", 0x2320), "2320");
    EXPECT_EQ(Row(0x261003, "", "INTEGER16", 0xFFFE), "-2");
    QString text;
    EXPECT_FALSE(
        errors::FormatErrorRowValue(*g, 0, 0x261001, "code", "VISIBLE STRING", 0x2320, text));
}

TEST(ErrorCodes, TableAndPanelText) {
    std::uint16_t bit = 0;
    EXPECT_TRUE(errors::ErrorCodeBit(0x5210, bit));
    EXPECT_EQ(bit, 0x0001);
    EXPECT_FALSE(errors::ErrorCodeBit(0x6100, bit));
    EXPECT_EQ(errors::ErrorCodeValue(0xFF12), 0x0080u);
    EXPECT_EQ(errors::ErrorCodeValue(0x1234), 0x1234u);
    EXPECT_EQ(errors::PanelErrorText(0x2320), "0080");
    EXPECT_EQ(errors::PanelErrorText(0x1234), "1234");
    EXPECT_EQ(errors::PanelErrorText(0xABCDE), "bcde");
}

TEST(ErrorCodes, NewestFirstIsByTimeLargestFirst) {
    std::vector<errors::HistoryEntry> entries = {
        {0, 0x10, 5}, {1, 0x11, 9}, {2, 0x12, 7}, {3, 0x13, 0}, {4, 0x14, 0xFFFFFFF0u}};
    errors::SortNewestFirst(entries);
    std::vector<int> order;
    for (const auto& e : entries) order.push_back(e.number);
    EXPECT_EQ(order, (std::vector<int>{4, 1, 2, 0, 3}));  // an unsigned time stays the largest
}

TEST(ErrorCodes, SetBitsAreNamedAsTheLamps) {
    QStringList names = errors::SetBitNames(1, 0x0021);
    EXPECT_EQ(names, (QStringList{"驱动器内部错误", "驱动器总线电压过高400v"}));
    EXPECT_EQ(errors::SetBitNames(2, 0x8000), QStringList{"主编码器计数错误"});
    EXPECT_TRUE(errors::SetBitNames(2, 0).isEmpty());
}

}  // namespace
