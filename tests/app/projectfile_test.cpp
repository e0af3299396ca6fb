// Reading project files that were damaged or written by hand.
#include <gtest/gtest.h>

#include <climits>

#include "app/projectfile.h"
#include "project_fuzz.h"
#include "support/fuzz_replay.h"
#include "support/temp_base.h"

namespace {

const QString kPrefix = QStringLiteral("VeltoSero:");

class ProjectFileRead : public ::testing::Test {
protected:
    QString Project(const QByteArray& text) {
        base.Write("user/p.zpj", text);
        return base.File("user/p.zpj");
    }
    TempBase base;
};

}  // namespace

TEST_F(ProjectFileRead, RowCountFarAboveTheRowsReadsTheRowsThatAreThere) {
    const QString path = Project(
        "[VeltoSero:3]\nnum=2147483647\n7=24640,1,5,rpm\n0=24577,17,DEC\n+1=1,2,3\n"
        "[VeltoSero:4]\nnum=99999999999\n0=12345,1,DEC\n");
    std::vector<ProjectRow> rows = ReadPageList(path, kPrefix, 3);
    ASSERT_EQ(rows.size(), 2u);  // in entry order; "+1" is not entry 1
    EXPECT_EQ(rows[0].key, "24577");
    EXPECT_EQ(rows[1].key, "24640");
    EXPECT_EQ(rows[1].value, "1,5");
    EXPECT_EQ(rows[1].unit, "rpm");
    EXPECT_EQ(ReadPageList(path, kPrefix, 4).size(), 1u);
}

TEST_F(ProjectFileRead, RowCountLimitsTheEntries) {
    const QString path = Project("[VeltoSero:3]\nnum=1\n0=24577,17,DEC\n1=24640,1,DEC\n");
    EXPECT_EQ(ReadPageList(path, kPrefix, 3).size(), 1u);
    EXPECT_TRUE(
        ReadPageList(Project("[VeltoSero:3]\nnum=-3\n0=24577,17,DEC\n"), kPrefix, 3).empty());
}

TEST_F(ProjectFileRead, PlacementsBeyondTheRangeOfIntStayAtItsEnds) {
    const QString path =
        Project("[VeltoSero:1]\n3=1,-2147483648,-2147483648\n4=1,99999999999,-99999999999\n");
    int x = 0, y = 0;
    ASSERT_EQ(ReadPagePlacement(path, kPrefix, 3, x, y, 20), 1);
    EXPECT_EQ(x, INT_MIN);
    EXPECT_EQ(y, INT_MIN);
    ASSERT_EQ(ReadPagePlacement(path, kPrefix, 4, x, y, 20), 1);
    EXPECT_EQ(x, INT_MAX - 6);
    EXPECT_EQ(y, INT_MIN);
}

TEST(ProjectFuzzCorpus, EverySeedReads) {
    EXPECT_GE(ReplayFuzzCorpus("app/fuzz_corpus/project", FuzzProject), 3);
}
