#include <gtest/gtest.h>

#include "objecttable.h"
#include "sim_table.h"

using vsim::CObjectTable;

TEST(SimObjectTable, ReadsTypesAccessAndRanges) {
    CObjectTable table;
    QString error;
    ASSERT_TRUE(table.Parse(TestTableText(), &error)) << error.toStdString();
    const vsim::SimObject* o = table.Find(0x200001);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->width, 16);
    EXPECT_TRUE(o->isSigned);
    EXPECT_TRUE(o->writable);
    EXPECT_FALSE(o->live);
    EXPECT_EQ(o->defaultValue, 5);
    EXPECT_EQ(o->min, -100);
    const vsim::SimObject* s = table.Find(0x100800);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isString);
    EXPECT_EQ(s->text, QByteArray("VeltoSim10"));
    EXPECT_TRUE(table.Find(0x201014)->live && table.Find(0x201014)->writable);
    EXPECT_TRUE(table.HasIndex(0x2300));
    EXPECT_FALSE(table.HasIndex(0x2301));
    EXPECT_EQ(table.Find(0x230011), nullptr);
}

TEST(SimObjectTable, AcceptsCommentsBlankLinesAndCrLf) {
    CObjectTable table;
    ASSERT_TRUE(table.Parse("# c\r\n\r\n604100\tUNSIGNED16\tL\t0\t0\t65535\r\n", nullptr));
    EXPECT_EQ(table.Objects().size(), 1u);
}

TEST(SimObjectTable, RefusesBrokenLinesNamingTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"#\n604100\tUNSIGNED16\tL\t0\t0\n", "line 2: expected 6"},
        {"60410\tUNSIGNED16\tL\t0\t0\t1\n", "bad object key"},
        {"604100\tREAL32\tL\t0\t0\t1\n", "unknown data type"},
        {"604100\tUNSIGNED8\tW\t0\t0\t256\n", "does not fit"},
        {"604100\tINTEGER8\tW\t-5\t-4\t4\n", "default -5 outside"},
        {"604100\tUNSIGNED8\tW\tx\t0\t4\n", "decimal"},
        {"604100\tUNSIGNED8\tW\t0\t0\t4\n604100\tUNSIGNED8\tW\t0\t0\t4\n", "listed twice"},
        {"# only a comment\n", "no objects"},
    };
    for (const auto& c : cases) {
        CObjectTable table;
        QString error;
        EXPECT_FALSE(table.Parse(c.text, &error)) << c.text;
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
    }
}

TEST(SimObjectTable, LoadReportsAMissingFile) {
    CObjectTable table;
    QString error;
    EXPECT_FALSE(table.Load("/nonexistent/velto_sim.tsv", &error));
    EXPECT_TRUE(error.contains("/nonexistent/velto_sim.tsv"));
}
