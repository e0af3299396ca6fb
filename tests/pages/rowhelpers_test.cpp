// Page row helpers: list files, object rows, labels, deletion and the object help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "page_fixture.h"
#include "pages/combolistctrl.h"
#include "pages/gridmenu.h"
#include "pages/popuphelpdlg.h"
#include "pages/rowhelpers.h"

using namespace keys;

namespace {

struct Owner : platform::MessageTarget {
    platform::LResult OnMessage(unsigned, platform::WParam, platform::LParam) override { return 0; }
};

class RowHelperTest : public ::testing::Test {
protected:
    RowHelperTest() { SetupObjectColumns(f.g(), grid); }
    QStringList Labels() {
        QStringList out;
        for (int r = 0; r < grid.GetItemCount(); ++r) out << grid.GetItemText(r, 0);
        return out;
    }
    PageFixture f;
    Owner owner;
    CComboListCtrl grid;
};

TEST_F(RowHelperTest, StandardColumnsHideKeyTypeAndAttribute) {
    ASSERT_EQ(grid.GetColumnCount(), 7);
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.isColumnHidden(3));
    EXPECT_TRUE(grid.isColumnHidden(5));
    EXPECT_EQ(grid.columnWidth(0), 50);
    EXPECT_EQ(grid.columnWidth(4), 110);
    EXPECT_TRUE(grid.IsReadOnlyColumn(2));
    EXPECT_TRUE(grid.IsDropDownColumn(6));
}

TEST_F(RowHelperTest, ListFileSkipsDuplicatesAndUnknownKeysKeepingFilePositions) {
    f.WriteList("BasicOperate", {kGain, kGain, 0x999901, kReadOnly});
    LoadPageObjects(f.g(), grid, "BasicOperate", owner.Handle());
    ASSERT_EQ(grid.GetItemCount(), 2);
    EXPECT_EQ(Labels(), QStringList({"1", "4*"}));  // the gap shows the skipped entries
    EXPECT_EQ(grid.GetItemText(1, 1), QString::number(kReadOnly));
    EXPECT_EQ(grid.GetItemText(1, 2), "State");
    EXPECT_EQ(grid.GetItemText(1, 3), "UNSIGNED8");
    EXPECT_EQ(grid.GetItemText(1, 5), "R");
    EXPECT_EQ(grid.GetItemText(1, 6), "DEC");
    EXPECT_EQ(grid.GetItemText(1, 4), "");
}

TEST_F(RowHelperTest, MissingListOrZeroCountGivesAnEmptyGrid) {
    LoadPageObjects(f.g(), grid, "Nothing", owner.Handle());
    f.base().Write("sys/Zero.ini", "[Zero]\nnum=0\n1=210002\n");
    LoadPageObjects(f.g(), grid, "Zero", owner.Handle());
    EXPECT_EQ(grid.GetItemCount(), 0);
}

TEST_F(RowHelperTest, LiveObjectsAreWatchedAndDefaultUnitsShown) {
    AddObjectRow(f.g(), grid, kVelocity, 0, owner.Handle(), false);
    AddObjectRow(f.g(), grid, kSpeed, 0, owner.Handle(), false);
    EXPECT_EQ(f.g().link.FindWatch(owner.Handle(), kVelocity), 1);
    EXPECT_EQ(f.g().link.FindWatch(owner.Handle(), kSpeed), 0);
    EXPECT_EQ(grid.GetItemText(0, 6), "rpm");
    EXPECT_EQ(Labels(), QStringList({"1", "2*"}));
    QStringList units;
    grid.BuildUnitList(0, units);
    EXPECT_EQ(units, QStringList({"rpm", "rpm", "0.1rpm"}));
}

TEST_F(RowHelperTest, FindObjectRowGivesUnitTypeAndRow) {
    AddObjectRow(f.g(), grid, kGain, 0, owner.Handle(), true);
    AddObjectRow(f.g(), grid, kSpeed, 1, owner.Handle(), true);
    QString type;
    int row = -2;
    EXPECT_EQ(FindObjectRow(&grid, kSpeed, type, row), "rpm");
    EXPECT_EQ(row, 1);
    EXPECT_EQ(type, "INTEGER16");
    EXPECT_EQ(FindObjectRow(&grid, 0, type, row), "");
    EXPECT_EQ(row, -1);
    EXPECT_EQ(FindObjectRow(nullptr, kSpeed, type, row), "");
}

TEST_F(RowHelperTest, DeletingSelectedRowsRenumbersAndRenumberAllKeepsStars) {
    for (std::int32_t key : {kGain, kReadOnly, kLimit, kSpeed})
        AddObjectRow(f.g(), grid, key, grid.GetItemCount(), owner.Handle(), true);
    grid.SelectRow(0, false);
    grid.SelectRow(2, true);
    DeleteSelectedRows(grid);
    EXPECT_EQ(Labels(), QStringList({"1*", "2"}));
    RenumberAll(grid, 10);
    EXPECT_EQ(Labels(), QStringList({"10*", "11"}));
}

TEST_F(RowHelperTest, HelpTextFollowsTheFixedLayout) {
    CSdoInfo entry;
    ASSERT_TRUE(f.g().dictionary.FindByKey(kGain, entry));
    EXPECT_EQ(ObjectHelpText(entry),
              "Index: 0x210002\r\nName: Gain\r\nData Type: UNSIGNED16  W\r\nOperator Help:\r\n"
              "gain\r\nhelp。\r\nx");
}

TEST_F(RowHelperTest, HelpShowsTheFocusedRowAndLeavesNothingSelected) {
    AddObjectRow(f.g(), grid, kSpeed, 0, owner.Handle(), true);
    AddObjectRow(f.g(), grid, kGain, 1, owner.Handle(), true);
    grid.SelectRow(0, false);
    grid.SelectRow(1, true);
    QString shown;
    QString ok;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<PopupHelpDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = dialog->ShownText();
        ok = dialog->OkCaption();
        dialog->accept();
    });
    HelpOnFocusedRow(f.g(), grid);
    EXPECT_TRUE(shown.startsWith("Index: 0x210002\nName: Gain")) << shown.toStdString();
    EXPECT_EQ(ok, "OK");
    EXPECT_TRUE(grid.SelectedRows().empty());
    EXPECT_EQ(grid.FocusedRow(), -1);
}

}  // namespace
