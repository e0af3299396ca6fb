#include <gtest/gtest.h>

#include "dictionary/rowvalue.h"
#include "support/msgbox_capture.h"
#include "units_fixture.h"

namespace {

#define EXPECT_SENT(...)                                        \
    do {                                                        \
        const std::vector<SentRequest> expected_ = __VA_ARGS__; \
        EXPECT_EQ(TakeRequests(expected_.size()), expected_);   \
    } while (0)

struct Row : IValueRow {
    Row(std::int32_t key, QString type, QString value, QString unit)
        : key_(key), type_(type), value_(value), unit_(unit) {}
    std::int32_t Key() const override { return key_; }
    QString DataType() const override { return type_; }
    QString ValueText() const override { return value_; }
    QString UnitText() const override { return unit_; }
    std::int32_t key_;
    QString type_, value_, unit_;
};

class RowValueTest : public ::testing::Test {
protected:
    RowValueTest()
        : fixture_({
              {0x607A00, "INTEGER32", "RW", "[A B]N*2;[B]N/2"},
              {0x606300, "INTEGER32", "RW", "[mm inc]N*[60910120];[cnt]N*1"},
              {0x608000, "UNSIGNED16", "RW", "[bad]N*;[root]sqrt(N);[inf]N/0"},
              {0x100800, "VISIBLE STRING", "R", ""},
          }) {}
    CGlobal& global() { return fixture_.global(); }

    // Writes the row and checks what reached the link.
    void Write(const Row& row, RowWrite outcome, const std::vector<SentRequest>& expected) {
        SCOPED_TRACE(row.value_.toStdString() + " in " + row.unit_.toStdString());
        EXPECT_EQ(global().WriteRowValue(kPage, row).outcome, outcome);
        EXPECT_EQ(TakeRequests(expected.size()), expected);
    }
    std::vector<SentRequest> Sent(std::uint8_t command, std::int32_t key, std::int32_t raw) {
        return {{kPage, command, key, raw}};
    }

    std::vector<SentRequest> TakeRequests(std::size_t expected) {
        return fixture_.TakeRequests(expected);
    }

    UnitsFixture fixture_;
    const platform::WindowHandle kPage = fixture_.Page();
    const platform::WindowHandle kMain = fixture_.Main();
    MsgBoxCapture boxes_;
};

TEST_F(RowValueTest, DecimalTextUsesTheLeadingNumber) {
    Write(Row(0x607A00, "INTEGER32", "12abc", "DEC"), RowWrite::Queued, Sent(0x23, 0x607A00, 12));
    Write(Row(0x607A00, "INTEGER16", "  -5", ""), RowWrite::Queued, Sent(0x2B, 0x607A00, -5));
    Write(Row(0x607A00, "UNSIGNED8", "+7", "DEC"), RowWrite::Queued, Sent(0x2F, 0x607A00, 7));
    Write(Row(0x607A00, "UNSIGNED32", "4294967295", "DEC"), RowWrite::Queued,
          Sent(0x23, 0x607A00, -1));
}

// A typo must never reach a drive as 0: the row is read again instead.
TEST_F(RowValueTest, TextThatIsNoNumberIsNotWritten) {
    for (const char* text : {"abc", "", "   ", "-", "+x", "."}) {
        Write(Row(0x607A00, "INTEGER32", text, "DEC"), RowWrite::Refused, Sent(0x40, 0x607A00, 0));
        Write(Row(0x607A00, "INTEGER32", text, "A"), RowWrite::Refused, Sent(0x40, 0x607A00, 0));
    }
    Write(Row(0x607A00, "INTEGER32", "xyz", "HEX"), RowWrite::Refused, Sent(0x40, 0x607A00, 0));
    Write(Row(0x607A00, "INTEGER32", "nan", "A"), RowWrite::Refused, Sent(0x40, 0x607A00, 0));
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(RowValueTest, HexText) {
    Write(Row(0x607A00, "UNSIGNED16", "1f", "HEX"), RowWrite::Queued, Sent(0x2B, 0x607A00, 0x1F));
    Write(Row(0x607A00, "UNSIGNED32", " 0x10", "HEX"), RowWrite::Queued,
          Sent(0x23, 0x607A00, 0x10));
    Write(Row(0x607A00, "UNSIGNED32", "Beef", "HEX"), RowWrite::Queued,
          Sent(0x23, 0x607A00, 0xBEEF));
}

TEST_F(RowValueTest, AsciiNeedsTheExactCharacterCount) {
    Write(Row(0x607A00, "UNSIGNED16", "AB", "ASCII"), RowWrite::Queued,
          Sent(0x2B, 0x607A00, 0x4241));
    Write(Row(0x607A00, "UNSIGNED8", "z", "ASCII"), RowWrite::Queued, Sent(0x2F, 0x607A00, 'z'));
    Write(Row(0x607A00, "INTEGER32", QChar(0xFF) + QString("BCD"), "ASCII"), RowWrite::Queued,
          Sent(0x23, 0x607A00, static_cast<std::int32_t>(0x444342FFu)));
    for (const char* text : {"A", "ABC", ""})
        Write(Row(0x607A00, "UNSIGNED16", text, "ASCII"), RowWrite::Refused,
              Sent(0x40, 0x607A00, 0));
}

TEST_F(RowValueTest, NamedUnitsMatchTheFirstWord) {
    // Shown as B (read with N*2); typed in B, written with N/2 of the cell named B.
    Write(Row(0x607A00, "INTEGER32", "10", "B"), RowWrite::Queued, Sent(0x23, 0x607A00, 5));
    Write(Row(0x607A00, "INTEGER32", "1.5e1", "A"), RowWrite::Queued, Sent(0x23, 0x607A00, 30));
    Write(Row(0x607A00, "INTEGER32", "-2.75", "A"), RowWrite::Queued,
          Sent(0x23, 0x607A00, -5));  // toward zero
    Write(Row(0x607A00, "INTEGER32", "10", "mm"), RowWrite::Refused,
          Sent(0x40, 0x607A00, 0));  // no such unit
}

TEST_F(RowValueTest, SecondWordAloneFindsNoWriteCell) {
    Write(Row(0x606300, "INTEGER32", "3", "inc"), RowWrite::Refused, Sent(0x40, 0x606300, 0));
}

TEST_F(RowValueTest, WriteWaitingForAReferenceIsSentAfterTheReply) {
    Write(Row(0x606300, "INTEGER32", "2.5", "mm"), RowWrite::Parked,
          (std::vector<SentRequest>{{kMain, 0x40, 0x609101, 0}}));
    global().evaluator.AddConst(0x609101, 4);
    global().evaluator.RetryPending();
    EXPECT_SENT(Sent(0x23, 0x606300, 10));
    // Now known: the next write goes out at once.
    Write(Row(0x606300, "INTEGER32", "3", "mm"), RowWrite::Queued, Sent(0x23, 0x606300, 12));
}

TEST_F(RowValueTest, MalformedConversionIsNotWritten) {
    Write(Row(0x608000, "UNSIGNED16", "3", "bad"), RowWrite::Refused, Sent(0x40, 0x608000, 0));
    EXPECT_TRUE(boxes_.Contains("Formula stack is Err!!!!!\n"));
    Write(Row(0x608000, "UNSIGNED16", "3", "root"), RowWrite::Refused, Sent(0x40, 0x608000, 0));
    EXPECT_TRUE(boxes_.Contains("sqrt function express error!! \n"));
    Write(Row(0x608000, "UNSIGNED16", "3", "inf"), RowWrite::Refused, Sent(0x40, 0x608000, 0));
}

TEST_F(RowValueTest, OnlyOneRequestWidthsAreWritten) {
    Write(Row(0x100800, "VISIBLE STRING", "12", "DEC"), RowWrite::Refused, Sent(0x40, 0x100800, 0));
    Write(Row(0x100800, "VISIBLE STRING", "AB", "ASCII"), RowWrite::Refused,
          Sent(0x40, 0x100800, 0));
}

TEST_F(RowValueTest, RowWithoutKeySendsNothing) {
    Row row(0, "INTEGER32", "5", "DEC");
    row.key_ = 0;
    Write(row, RowWrite::Refused, std::vector<SentRequest>{});
}

TEST_F(RowValueTest, ValuesOutsideTheDataTypeAreNeverWritten) {
    const std::vector<SentRequest> nothing;
    Write(Row(0x607A00, "UNSIGNED16", "65536", "DEC"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "UNSIGNED16", "-1", "DEC"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "INTEGER8", "128", "DEC"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "INTEGER32", "2147483648", "DEC"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "UNSIGNED16", "10000", "HEX"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "UNSIGNED32", "100000000", "HEX"), RowWrite::OutOfRange, nothing);
    Write(Row(0x607A00, "INTEGER32", "1.1e9", "A"), RowWrite::OutOfRange, nothing);  // N*2
    Write(Row(0x607A00, "UNSIGNED8", QString(QChar(0x100)), "ASCII"), RowWrite::OutOfRange,
          nothing);
    // The edges themselves fit; in HEX a signed type takes the bit pattern of its width.
    Write(Row(0x607A00, "INTEGER8", "-128", "DEC"), RowWrite::Queued, Sent(0x2F, 0x607A00, -128));
    Write(Row(0x607A00, "UNSIGNED16", "65535", ""), RowWrite::Queued, Sent(0x2B, 0x607A00, 65535));
    Write(Row(0x607A00, "INTEGER16", "ffff", "HEX"), RowWrite::Queued,
          Sent(0x2B, 0x607A00, 0xFFFF));
    EXPECT_EQ(boxes_.Count(), 0);  // the page shows the message
}

TEST_F(RowValueTest, TheRangeIsNamedInTheRowsUnit) {
    auto range = [&](const char* type, const char* text, const char* unit) {
        return global().WriteRowValue(kPage, Row(0x607A00, type, text, unit)).range;
    };
    EXPECT_EQ(range("UNSIGNED16", "70000", "DEC"), "0 .. 65535 DEC");
    EXPECT_EQ(range("INTEGER16", "-40000", ""), "-32768 .. 32767");
    EXPECT_EQ(range("UNSIGNED32", "1ffffffff", "HEX"), "0 .. ffffffff HEX");
    EXPECT_EQ(range("UNSIGNED16", "200000", "B"), "0.000 .. 131070.000 B");  // read as N*2
    // "A" is written only: no cell shows it, so the range is told in raw numbers.
    EXPECT_EQ(range("INTEGER8", "100", "A"), "-128 .. 127 DEC");
    EXPECT_EQ(OutOfRangeText("0 .. 255 DEC"), "Value out of range: 0 .. 255 DEC!");
}

TEST_F(RowValueTest, ParkedWriteThatNoLongerFitsIsReadInstead) {
    Write(Row(0x606300, "INTEGER32", "1e9", "mm"), RowWrite::Parked,
          (std::vector<SentRequest>{{kMain, 0x40, 0x609101, 0}}));
    global().evaluator.AddConst(0x609101, 4);
    global().evaluator.RetryPending();
    EXPECT_SENT(Sent(0x40, 0x606300, 0));
    EXPECT_EQ(boxes_.Texts(), QStringList{"Value out of range: -2147483648 .. 2147483647 DEC!"});
}

}  // namespace
