#include <gtest/gtest.h>

#include "dictionary/rowvalue.h"
#include "support/msgbox_capture.h"
#include "units_fixture.h"

namespace {

constexpr platform::WindowHandle kPage = 77;
constexpr platform::WindowHandle kMain = 5;

struct Row : IValueRow {
    Row(std::int32_t key, QString type, QString value, QString unit)
        : key_(QString::number(key)), type_(type), value_(value), unit_(unit) {}
    QString KeyText() const override { return key_; }
    QString DataType() const override { return type_; }
    QString ValueText() const override { return value_; }
    QString UnitText() const override { return unit_; }
    QString key_, type_, value_, unit_;
};

class RowValueTest : public ::testing::Test {
protected:
    RowValueTest()
        : fixture_({
              {0x607A00, "INTEGER32", "RW", "[A B]N*2;[B]N/2"},
              {0x606300, "INTEGER32", "RW", "[mm inc]N*[60910120];[cnt]N*1"},
              {0x608000, "UNSIGNED16", "RW", "[bad]N*;[root]sqrt(N);[inf]N/0"},
              {0x100800, "VISIBLE STRING", "R", ""},
          }) {
        global().mainWindow = kMain;
    }
    CGlobal& global() { return fixture_.global(); }

    // Writes the row and returns what reached the link.
    std::vector<SentRequest> Write(const Row& row, RowWrite expected) {
        EXPECT_EQ(WriteRowValue(global(), kPage, row), expected) << row.value_.toStdString();
        return TakeRequests();
    }
    static std::vector<SentRequest> Sent(std::uint8_t command, std::int32_t key, std::int32_t raw) {
        return {{kPage, command, key, raw}};
    }

    UnitsFixture fixture_;
    MsgBoxCapture boxes_;
};

TEST_F(RowValueTest, DecimalTextUsesTheLeadingNumber) {
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "12abc", "DEC"), RowWrite::Queued),
              Sent(0x23, 0x607A00, 12));
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER16", "  -5", ""), RowWrite::Queued),
              Sent(0x2B, 0x607A00, -5));
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED8", "+7", "DEC"), RowWrite::Queued),
              Sent(0x2F, 0x607A00, 7));
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED32", "4294967295", "DEC"), RowWrite::Queued),
              Sent(0x23, 0x607A00, -1));
}

// A typo must never reach a drive as 0: the row is read again instead.
TEST_F(RowValueTest, TextThatIsNoNumberIsNotWritten) {
    for (const char* text : {"abc", "", "   ", "-", "+x", "."}) {
        EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", text, "DEC"), RowWrite::Refused),
                  Sent(0x40, 0x607A00, 0))
            << text;
        EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", text, "A"), RowWrite::Refused),
                  Sent(0x40, 0x607A00, 0))
            << text;
    }
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "xyz", "HEX"), RowWrite::Refused),
              Sent(0x40, 0x607A00, 0));
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "nan", "A"), RowWrite::Refused),
              Sent(0x40, 0x607A00, 0));
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(RowValueTest, HexText) {
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED16", "1f", "HEX"), RowWrite::Queued),
              Sent(0x2B, 0x607A00, 0x1F));
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED32", " 0x10", "HEX"), RowWrite::Queued),
              Sent(0x23, 0x607A00, 0x10));
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED32", "Beef", "HEX"), RowWrite::Queued),
              Sent(0x23, 0x607A00, 0xBEEF));
}

TEST_F(RowValueTest, AsciiNeedsTheExactCharacterCount) {
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED16", "AB", "ASCII"), RowWrite::Queued),
              Sent(0x2B, 0x607A00, 0x4241));
    EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED8", "z", "ASCII"), RowWrite::Queued),
              Sent(0x2F, 0x607A00, 'z'));
    EXPECT_EQ(
        Write(Row(0x607A00, "INTEGER32", QChar(0xFF) + QString("BCD"), "ASCII"), RowWrite::Queued),
        Sent(0x23, 0x607A00, static_cast<std::int32_t>(0x444342FFu)));
    for (const char* text : {"A", "ABC", ""})
        EXPECT_EQ(Write(Row(0x607A00, "UNSIGNED16", text, "ASCII"), RowWrite::Refused),
                  Sent(0x40, 0x607A00, 0))
            << text;
}

TEST_F(RowValueTest, NamedUnitsMatchTheFirstWord) {
    // Shown as B (read with N*2); typed in B, written with N/2 of the cell named B.
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "10", "B"), RowWrite::Queued),
              Sent(0x23, 0x607A00, 5));
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "1.5e1", "A"), RowWrite::Queued),
              Sent(0x23, 0x607A00, 30));
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "-2.75", "A"), RowWrite::Queued),
              Sent(0x23, 0x607A00, -5));  // toward zero
    EXPECT_EQ(Write(Row(0x607A00, "INTEGER32", "10", "mm"), RowWrite::Refused),
              Sent(0x40, 0x607A00, 0));  // no such unit
}

TEST_F(RowValueTest, SecondWordAloneFindsNoWriteCell) {
    EXPECT_EQ(Write(Row(0x606300, "INTEGER32", "3", "inc"), RowWrite::Refused),
              Sent(0x40, 0x606300, 0));
}

TEST_F(RowValueTest, WriteWaitingForAReferenceIsSentAfterTheReply) {
    EXPECT_EQ(Write(Row(0x606300, "INTEGER32", "2.5", "mm"), RowWrite::Parked),
              (std::vector<SentRequest>{{kMain, 0x40, 0x609101, 0}}));
    global().evaluator.AddConst(0x609101, 4);
    global().evaluator.RetryPending();
    EXPECT_EQ(TakeRequests(), Sent(0x23, 0x606300, 10));
    // Now known: the next write goes out at once.
    EXPECT_EQ(Write(Row(0x606300, "INTEGER32", "3", "mm"), RowWrite::Queued),
              Sent(0x23, 0x606300, 12));
}

TEST_F(RowValueTest, MalformedConversionIsNotWritten) {
    EXPECT_EQ(Write(Row(0x608000, "UNSIGNED16", "3", "bad"), RowWrite::Refused),
              Sent(0x40, 0x608000, 0));
    EXPECT_TRUE(boxes_.Contains("Formula stack is Err!!!!!\n"));
    EXPECT_EQ(Write(Row(0x608000, "UNSIGNED16", "3", "root"), RowWrite::Refused),
              Sent(0x40, 0x608000, 0));
    EXPECT_TRUE(boxes_.Contains("sqrt function express error!! \n"));
    EXPECT_EQ(Write(Row(0x608000, "UNSIGNED16", "3", "inf"), RowWrite::Refused),
              Sent(0x40, 0x608000, 0));
}

TEST_F(RowValueTest, OnlyOneRequestWidthsAreWritten) {
    EXPECT_EQ(Write(Row(0x100800, "VISIBLE STRING", "12", "DEC"), RowWrite::Refused),
              Sent(0x40, 0x100800, 0));
    EXPECT_EQ(Write(Row(0x100800, "VISIBLE STRING", "AB", "ASCII"), RowWrite::Refused),
              Sent(0x40, 0x100800, 0));
}

TEST_F(RowValueTest, RowWithoutKeySendsNothing) {
    Row row(0, "INTEGER32", "5", "DEC");
    row.key_ = "";
    EXPECT_EQ(Write(row, RowWrite::Refused), std::vector<SentRequest>{});
}

}  // namespace
