#include <gtest/gtest.h>

#include <cmath>

#include "support/msgbox_capture.h"
#include "units_fixture.h"

namespace {

#define EXPECT_SENT(...)                                        \
    do {                                                        \
        const std::vector<SentRequest> expected_ = __VA_ARGS__; \
        EXPECT_EQ(TakeRequests(expected_.size()), expected_);   \
    } while (0)

QList<CCellUnit> Parse(const QString& definition, int expectedCount) {
    QList<CCellUnit> cells;
    EXPECT_EQ(ParseUnitDefinition(definition, cells), expectedCount) << definition.toStdString();
    EXPECT_EQ(cells.size(), expectedCount);
    return cells;
}

void ExpectCell(const CCellUnit& cell, const char* unitName, const char* displayName,
                const char* formula) {
    EXPECT_EQ(cell.unitName, unitName);
    EXPECT_EQ(cell.displayName, displayName);
    EXPECT_EQ(cell.formula, formula);
}

TEST(UnitDefinition, ItemsWithSeparators) {
    auto cells = Parse("[rpm]N*60;[r/s]N*1", 2);
    ExpectCell(cells[0], "rpm", "", "N*60");
    ExpectCell(cells[1], "r/s", "", "N*1");
    cells = Parse("[A B]N*2;[B]N/2", 2);
    ExpectCell(cells[0], "A", "B", "N*2");
    ExpectCell(cells[1], "B", "", "N/2");
    EXPECT_EQ(cells[0].ShownText(), "B");
    EXPECT_EQ(cells[1].ShownText(), "B");
    cells = Parse("[mm/s speed]N*[60910120]/1000,[x y z]sqrt(N*2)", 2);
    ExpectCell(cells[0], "mm/s", "speed", "N*[60910120]/1000");
    ExpectCell(cells[1], "x", "y z", "sqrt(N*2)");
}

TEST(UnitDefinition, FormulaRunsOverAMissingSeparator) {
    // "[" and "]" are formula characters, so the second item becomes part of the formula.
    auto cells = Parse("[rpm]N*60[r/s]N*1", 1);
    ExpectCell(cells[0], "rpm", "", "N*60[r/s]N*1");
    cells = Parse("[rpm]N*60 ; [x]N", 2);  // the separator is one character: " " then ";"
    ExpectCell(cells[0], "rpm", "", "N*60");
    ExpectCell(cells[1], "x", "", "N");
}

TEST(UnitDefinition, OddShapes) {
    Parse("", 0);
    Parse("[]", 0);  // shorter than 3 characters
    Parse("abc", 0);
    Parse("[abc", 0);
    auto cells = Parse("[]N", 1);
    ExpectCell(cells[0], "", "", "N");
    cells = Parse("]x[a]N", 2);  // "]" before "[": an empty item
    ExpectCell(cells[0], "", "", "");
    ExpectCell(cells[1], "a", "", "N");
    cells = Parse("[a ]N", 1);
    ExpectCell(cells[0], "a", "", "N");
    QString many;
    for (int i = 0; i < 400; ++i) many += "[u]N;";
    Parse(many, 255);
}

class UnitsTest : public ::testing::Test {
protected:
    UnitsTest()
        : fixture_({
              {0x606C00, "INTEGER32", "RL", "[rpm]N*60;[r/s]N*1"},
              {0x607A00, "INTEGER32", "RW", "[A B]N*2;[B]N/2"},
              {0x606300, "INTEGER32", "RL", "[inc mm]N/[60910120];[cnt]N*1"},
              {0x609101, "UNSIGNED32", "RW", ""},
              {0x200100, "UNSIGNED16", "RW", "none"},
          }) {}
    CGlobal& global() { return fixture_.global(); }
    int Convert(int key, const QString& unit, double& value, QString& formula, int& handled) {
        return global().ConvertReadValue(kPage, key, unit, value, formula, handled);
    }

    std::vector<SentRequest> TakeRequests(std::size_t expected) {
        return fixture_.TakeRequests(expected);
    }

    UnitsFixture fixture_;
    const platform::WindowHandle kPage = fixture_.Page();
    const platform::WindowHandle kMain = fixture_.Main();
    MsgBoxCapture boxes_;
};

TEST_F(UnitsTest, DefaultUnitIsTheFirstCellsShownText) {
    CSdoUnit entry;
    EXPECT_EQ(global().units.FindUnit(0x606C00, entry), 0);
    QString text = "old";
    EXPECT_EQ(global().units.DefaultUnitText(0x606C00, "[rpm]N*60;[r/s]N*1", text), 1);
    EXPECT_EQ(text, "rpm");
    ASSERT_EQ(global().units.FindUnit(0x606C00, entry), 1);
    EXPECT_EQ(entry.key, 0x606C00);
    EXPECT_EQ(entry.cellCount, 2);
    ASSERT_EQ(entry.cells.size(), 2);
    EXPECT_EQ(entry.cells[1].unitName, "r/s");
    EXPECT_EQ(global().units.DefaultUnitText(0x607A00, "[A B]N*2;[B]N/2", text), 1);
    EXPECT_EQ(text, "B");
    // The entry is kept: a later definition is not parsed again.
    EXPECT_EQ(global().units.DefaultUnitText(0x606C00, "[other]N", text), 1);
    EXPECT_EQ(text, "rpm");
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(UnitsTest, ShortDefinitionIsDecEveryTime) {
    QString text;
    EXPECT_EQ(global().units.DefaultUnitText(0x609101, "", text), 1);
    EXPECT_EQ(text, "DEC");
    text.clear();
    EXPECT_EQ(global().units.DefaultUnitText(0x609101, "", text), 1);
    EXPECT_EQ(text, "DEC");
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(UnitsTest, DefinitionWithoutItemsFailsEachTime) {
    QString text = "kept";
    EXPECT_EQ(global().units.DefaultUnitText(0x200100, "none", text), 1);
    EXPECT_EQ(global().units.DefaultUnitText(0x200100, "none", text), 1);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(boxes_.Texts(),
              (QStringList{"Add default unit failure \n", "Add default unit failure \n"}));
}

TEST_F(UnitsTest, DisplayFormatsKeepTheRawValue) {
    for (const char* unit : {"", "DEC", "HEX", "ASCII"}) {
        double value = 42;
        QString formula = "unchanged";
        int handled = 0;
        EXPECT_EQ(Convert(0x606C00, unit, value, formula, handled), 1) << unit;
        EXPECT_EQ(value, 42);
        EXPECT_EQ(formula, "unchanged");
        EXPECT_EQ(handled, 1);
    }
    double value = 1;
    QString formula;
    int handled = 0;
    EXPECT_EQ(Convert(0, "DEC", value, formula, handled), 0);
    EXPECT_EQ(handled, 0);
}

TEST_F(UnitsTest, ReadMatchesTheSecondWordAndEvaluates) {
    double value = 21;
    QString formula;
    int handled = 0;
    ASSERT_EQ(Convert(0x607A00, "B", value, formula, handled), 1);
    EXPECT_EQ(value, 42);  // N*2 of the first cell, not N/2 of the second
    EXPECT_EQ(formula, "N*2");
    EXPECT_EQ(handled, 1);
    value = 21;
    EXPECT_EQ(Convert(0x607A00, "A", value, formula, handled), 0);  // A is a write name only
}

TEST_F(UnitsTest, ReadOfAFirstWordOnlyCellStaysRaw) {
    double value = 10;
    QString formula;
    int handled = 0;
    ASSERT_EQ(Convert(0x606C00, "rpm", value, formula, handled), 1);
    EXPECT_EQ(value, 10);
    EXPECT_EQ(formula, "N*60");
    EXPECT_EQ(global().FormatValue("rpm", "INTEGER32", formula, value), "10.000");
    EXPECT_EQ(Convert(0x606C00, "km/h", value, formula, handled), 0);
    EXPECT_EQ(Convert(0x123400, "rpm", value, formula, handled), 0);  // unknown object
}

TEST_F(UnitsTest, ReadKeepsReferencedConstantsCurrent) {
    global().evaluator.AddConst(0x609101, 4);
    double value = 9.9;
    QString formula;
    int handled = 0;
    Convert(0x609101, "DEC", value, formula, handled);
    EXPECT_EQ(global().evaluator.GetConst(0x609101), 9);
    value = 5;
    Convert(0x607A00, "DEC", value, formula, handled);
    EXPECT_FALSE(global().evaluator.HasConst(0x607A00));  // only existing constants are updated
}

// The round trip of a page: the row's unit refers to another object whose value is not known.
TEST_F(UnitsTest, ReadWaitingForAReferenceIsParkedAndConvertsAfterTheReply) {
    double value = 1000;
    QString formula = "none";
    int handled = 0;
    EXPECT_EQ(Convert(0x606300, "mm", value, formula, handled), 0);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(formula, "none");
    EXPECT_SENT(std::vector<SentRequest>{{kMain, 0x40, 0x609101, 0}});
    // The main window gets the reply for a key that is no constant yet.
    global().evaluator.AddConst(0x609101, 4);
    global().evaluator.RetryPending();
    EXPECT_SENT(std::vector<SentRequest>{{kPage, 0x40, 0x606300, 0}});
    // The page's re-read converts now.
    value = 1000;
    ASSERT_EQ(Convert(0x606300, "mm", value, formula, handled), 1);
    EXPECT_EQ(value, 250);
    EXPECT_EQ(formula, "N/[60910120]");
    EXPECT_EQ(global().FormatValue("mm", "INTEGER32", formula, value), "250.000");
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(UnitsTest, FormatDisplayFormats) {
    CGlobal& g = global();
    EXPECT_EQ(g.FormatValue("HEX", "UNSIGNED16", "", 10), "000a");
    EXPECT_EQ(g.FormatValue("HEX", "UNSIGNED8", "", 10), "a");
    EXPECT_EQ(g.FormatValue("HEX", "UNSIGNED8", "", 0x1FF), "ff");
    EXPECT_EQ(g.FormatValue("HEX", "INTEGER32", "", -1), "ffffffff");
    double number = 0;
    ASSERT_EQ(CNumbers::RawToNumber("UNSIGNED32", 0xFFFFFFFFu, number), 1);
    EXPECT_EQ(g.FormatValue("DEC", "UNSIGNED32", "", number), "4294967295");
    ASSERT_EQ(CNumbers::RawToNumber("INTEGER32", 0xFFFFFFFFu, number), 1);
    EXPECT_EQ(g.FormatValue("DEC", "INTEGER32", "", number), "-1");
    EXPECT_EQ(g.FormatValue("DEC", "INTEGER16", "", -7.9), "-7");
    EXPECT_EQ(g.FormatValue("ASCII", "UNSIGNED16", "", 0x4241), "AB");
    EXPECT_EQ(g.FormatValue("", "UNSIGNED32", "", 0x44434241), "ABCD");
    EXPECT_EQ(g.FormatValue("ASCII", "UNSIGNED32", "", 0x00420041), "A");  // a zero byte ends it
    for (const char* unit : {"DEC", "HEX", "ASCII"})
        EXPECT_EQ(g.FormatValue(unit, "VISIBLE STRING", "", 65), "???") << unit;
}

TEST_F(UnitsTest, FormatNamedUnits) {
    CGlobal& g = global();
    EXPECT_EQ(g.FormatValue("rpm", "INTEGER32", "N*60", 1.5), "1.500");
    EXPECT_EQ(g.FormatValue("rpm", "VISIBLE STRING", "N*60", 2), "2.000");
    EXPECT_EQ(g.FormatValue("cnt", "INTEGER16", "N*1", 7.9), "7");
    EXPECT_EQ(g.FormatValue("cnt", "UNSIGNED32", "N*1", 4294967295.0), "4294967295");
    EXPECT_EQ(g.FormatValue("cnt", "VISIBLE STRING", "N*1", 7), "???");
    // Values beyond every integer range are formatted without undefined conversions.
    EXPECT_EQ(g.FormatValue("DEC", "INTEGER32", "", std::nan("")), "0");
    EXPECT_EQ(g.FormatValue("DEC", "INTEGER32", "", 1e300), "-1");
    EXPECT_EQ(g.FormatValue("rpm", "INTEGER32", "N*2", 1e300).size() > 300, true);
}

TEST_F(UnitsTest, FormatRawValues) {
    CGlobal& g = global();
    EXPECT_EQ(g.FormatRawValue("DEC", "UNSIGNED32", "", -1), "-1");
    EXPECT_EQ(g.FormatRawValue("DEC", "VISIBLE STRING", "", 12), "12");
    EXPECT_EQ(g.FormatRawValue("HEX", "UNSIGNED16", "", 0x12345), "2345");
    EXPECT_EQ(g.FormatRawValue("HEX", "VISIBLE STRING", "", 1), "???");
    EXPECT_EQ(g.FormatRawValue("ASCII", "UNSIGNED8", "", 0x4241), "A");
    EXPECT_EQ(g.FormatRawValue("cnt", "INTEGER32", "N*1", -5), "-5");
    EXPECT_EQ(g.FormatRawValue("rpm", "INTEGER32", "N*60", -5), "");
}

}  // namespace
