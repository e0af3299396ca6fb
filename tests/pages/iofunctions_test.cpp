// The widget-free rules of the I/O page and the monitor panel.
#include <gtest/gtest.h>

#include "pages/iofunctions.h"
#include "pages/monitorlist.h"
#include "support/temp_base.h"

namespace {

TEST(IoFunctions, ListRowsFollowTheirMasksEvenWhenTheFileSkipsOne) {
    TempBase base;
    // No name for 0x0002: the second table's rows still mean 0x8001 and 0x8004.
    base.Write("data/DataInOut.ini", "[in]\nen0001=A\nen0004=C\nen8001=X\nen8004=Z\nenC000=W\n");
    const QString ini = base.File("data/DataInOut.ini");
    std::vector<io::FunctionRow> rows = io::FunctionRows(ini, "in", "en");
    std::vector<std::uint16_t> masks;
    for (const auto& r : rows) masks.push_back(r.mask);
    EXPECT_EQ(masks, (std::vector<std::uint16_t>{0x0001, 0x0004, 0x8001, 0x8004, 0xC000}));
    std::uint16_t value = 0;
    EXPECT_TRUE(io::CheckedValue({0x8001, 0x8004}, value));
    EXPECT_EQ(value, 0x8005);
    EXPECT_FALSE(io::CheckedValue({0x0004, 0x8001}, value));
    EXPECT_TRUE(io::CheckedValue({}, value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(io::NumberedFunctions(ini, "in", "en", 0xC001), (QStringList{"1.X", "2.W"}));
    EXPECT_EQ(io::NumberedFunctions(ini, "in", "en", 0x0007), (QStringList{"1.A", "2.C"}));
}

TEST(IoFunctions, ChecksShowOnlyTheTableOfTheValue) {
    EXPECT_TRUE(io::RowChecked(0x0005, 0x0004));
    EXPECT_FALSE(io::RowChecked(0x0005, 0x8004));
    EXPECT_TRUE(io::RowChecked(0x8005, 0x8004));
    EXPECT_FALSE(io::RowChecked(0x8005, 0x0004));
    // 0x8000 names no function: nothing is checked, as the page shows "NULL".
    for (std::uint16_t mask : {0x0001, 0x4000, 0x8001, 0xC000})
        EXPECT_FALSE(io::RowChecked(0x8000, mask)) << mask;
    EXPECT_EQ(io::FunctionBoxText({}), "NULL");
    EXPECT_EQ(io::FunctionBoxText({"1.Speed 1.5", "2.B"}), "Speed 1.5+B");
}

TEST(MonitorList, SignedDisplayByTypeAndWidth) {
    using monitor::DisplayText;
    using monitor::SignedDisplayFor;
    EXPECT_EQ(DisplayText(SignedDisplayFor("INTEGER8"), 0xFF), "-1");
    EXPECT_EQ(DisplayText(SignedDisplayFor("INTEGER8"), 0x7F), "127");
    EXPECT_EQ(DisplayText(SignedDisplayFor("integer16"), 0x8000), "-32768");
    EXPECT_EQ(DisplayText(SignedDisplayFor("UNSIGNED16"), 0xFFFF), "65535");
    EXPECT_EQ(DisplayText(SignedDisplayFor("INTEGER32"), 0xFFFFFFFF), "-1");
}

}  // namespace
