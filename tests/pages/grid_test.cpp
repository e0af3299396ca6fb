// Parameter grid: clicks and keys on real cells, the in-place editors, commits and the menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <tuple>
#include <vector>

#include "pages/combolistctrl.h"
#include "pages/gridmenu.h"
#include "pages/inplaceeditors.h"
#include "platform/messages.h"

namespace {

struct Recorder : platform::MessageTarget {
    std::vector<std::tuple<unsigned, int, int>> messages;
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override {
        messages.emplace_back(msg, int(w), int(l));
        return 1;
    }
};

// A grid with the seven standard columns and three rows: writable, read-only, writable.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(600, 300);
        grid = new CComboListCtrl(&window);
        grid->setGeometry(0, 0, 600, 300);
        const int widths[] = {50, 0, 150, 0, 120, 0, 80};
        for (int c = 0; c < 7; ++c) grid->InsertColumn(c, QString("c%1").arg(c), widths[c]);
        for (int c : {0, 1, 2}) grid->SetReadOnlyColumn(c, true);
        grid->SetDropDownColumn(6, true);
        AddRow("1", 100, "speed", "W", "rpm");
        AddRow("2*", 200, "current", "R", "A");
        AddRow("3", 300, "gain", "WL", "DEC");
        grid->SetOwner(owner.Handle());
        grid->SetUnitLookup([](int key, CComboListCtrl::UnitCells& cells) {
            if (key == 300)
                return true;  // an entry without cells (an empty unit definition)
            if (key != 100)
                return false;
            cells = {{"rpm", ""}, {"r/s", ""}, {"x", "DEC"}};
            return true;
        });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override {
        CInPlaceEdit::DestroyShared();
        CInPlaceCombo::DestroyShared();
    }
    void AddRow(const char* label, int key, const char* name, const char* attr, const char* unit) {
        int r = grid->InsertItem(-1, label);
        grid->SetItemText(r, 1, QString::number(key));
        grid->SetRowKey(r, key);
        grid->SetItemText(r, 2, name);
        grid->SetItemText(r, 3, "INTEGER16");
        grid->SetItemText(r, 4, "5");
        grid->SetItemText(r, 5, attr);
        grid->SetItemText(r, 6, unit);
    }
    QPoint CellCentre(int row, int column) {
        int x = 0;
        for (int c = 0; c < column; ++c) x += grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
        return QPoint(x + grid->columnWidth(column) / 2,
                      grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
    }
    void Click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(row, column));
        QApplication::processEvents();
    }
    std::vector<std::tuple<unsigned, int, int>> CellChanges() {
        std::vector<std::tuple<unsigned, int, int>> out;
        for (auto& m : owner.messages)
            if (std::get<0>(m) == platform::WM_CELL_CHANGED)
                out.push_back(m);
        return out;
    }

    QWidget window;
    CComboListCtrl* grid = nullptr;
    Recorder owner;
};

// Counts the paints of a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// A page read fills one value cell per reply, the event loop running in between: the shown
// grid paints them in a few batches, not once per value, and the last value is painted too.
TEST_F(GridTest, BurstOfValuesIsPaintedInBatches) {
    PaintCounter counter;
    grid->viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    for (int i = 0; i < 60; ++i) {
        grid->SetItemText(i % 3, 4, QString::number(i));
        QApplication::processEvents();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints >= 2; }));
    QTest::qWait(100);
    EXPECT_LT(counter.paints, 30);  // one per value would be 60
    EXPECT_EQ(grid->GetItemText(2, 4), "59");
    const int before = counter.paints;
    grid->SetItemText(0, 4, "later");  // after a quiet spell: painted without waiting
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, before + 1);
}

TEST_F(GridTest, UnitListPutsDecLastAndOffersDecAloneWithoutBindingOrCells) {
    QStringList entries;
    grid->BuildUnitList(0, entries);
    EXPECT_EQ(entries, QStringList({"rpm", "r/s", "DEC"}));
    grid->BuildUnitList(1, entries);
    EXPECT_EQ(entries, QStringList({"DEC"}));
    grid->BuildUnitList(2, entries);
    EXPECT_EQ(entries, QStringList({"DEC"}));
}

TEST_F(GridTest, RowsAreFoundByTheirKeyAfterInsertsAndDeletes) {
    EXPECT_EQ(grid->FindRow(300), 2);
    EXPECT_EQ(grid->RowKey(1), 200);
    grid->InsertItem(0, "0");
    EXPECT_EQ(grid->FindRow(300), 3);
    grid->DeleteItem(3);
    EXPECT_EQ(grid->FindRow(300), -1);
    EXPECT_EQ(grid->FindRow(100), 1);
    EXPECT_EQ(grid->FindRow(0), -1);  // rows without a key are not objects
    grid->DeleteAllItems();
    EXPECT_EQ(grid->FindRow(100), -1);
}

TEST_F(GridTest, LeavingTheUnitListWithoutAChoiceKeepsTheUnit) {
    Click(1, 6);  // "A" is not among the entries: nothing is chosen
    ASSERT_NE(CInPlaceCombo::Instance(), nullptr);
    ASSERT_EQ(CInPlaceCombo::Instance()->currentIndex(), -1);
    QTest::keyClick(CInPlaceCombo::Instance(), Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_EQ(grid->GetItemText(1, 6), "A");
    EXPECT_TRUE(CellChanges().empty());
}

TEST_F(GridTest, RevertingACommitRestoresTheReplacedValue) {
    Click(0, 4);
    QTest::keyClicks(CInPlaceEdit::Instance(), "42");
    QTest::keyClick(CInPlaceEdit::Instance(), Qt::Key_Return);
    ASSERT_EQ(grid->GetItemText(0, 4), "42");
    grid->InsertItem(0, "0");  // the committed row moves down
    grid->RevertValueCommit();
    EXPECT_EQ(grid->GetItemText(1, 4), "5");
}

TEST_F(GridTest, EnterCommitsValueOnceAndALaterEnterReopensTheEditor) {
    Click(0, 4);
    CInPlaceEdit* edit = CInPlaceEdit::Instance();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "5");
    QTest::keyClicks(edit, "42");
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->GetItemText(0, 4), "42");
    ASSERT_EQ(CellChanges().size(), 1u);
    EXPECT_EQ(CellChanges()[0], std::make_tuple(unsigned(platform::WM_CELL_CHANGED), 0, 4));
    EXPECT_EQ(grid->enterPhase, 3);  // the committing Enter was absorbed
    QTest::qWait(20);
    EXPECT_EQ(CInPlaceEdit::Instance(), nullptr);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_NE(CInPlaceEdit::Instance(), nullptr);
    EXPECT_EQ(CInPlaceEdit::Instance()->row, 0);
}

TEST_F(GridTest, EscapeAndClickingElsewhereDiscardTheTypedValue) {
    Click(0, 4);
    QTest::keyClicks(CInPlaceEdit::Instance(), "77");
    QTest::keyClick(CInPlaceEdit::Instance(), Qt::Key_Escape);
    QTest::qWait(10);
    Click(2, 4);
    ASSERT_NE(CInPlaceEdit::Instance(), nullptr);
    QTest::keyClicks(CInPlaceEdit::Instance(), "88");
    Click(0, 2);
    QTest::qWait(10);
    EXPECT_EQ(grid->GetItemText(0, 4), "5");
    EXPECT_EQ(grid->GetItemText(2, 4), "5");
    EXPECT_TRUE(CellChanges().empty());
}

TEST_F(GridTest, ReadOnlyRowOpensNoEditBoxButItsUnitDropDown) {
    Click(1, 4);
    EXPECT_EQ(CInPlaceEdit::Instance(), nullptr);
    Click(1, 2);  // name column is read-only everywhere
    EXPECT_EQ(CInPlaceEdit::Instance(), nullptr);
    Click(1, 6);
    ASSERT_NE(CInPlaceCombo::Instance(), nullptr);
    ASSERT_EQ(CInPlaceCombo::Instance()->count(), 1);
    EXPECT_EQ(CInPlaceCombo::Instance()->itemText(0), "DEC");
    EXPECT_EQ(CInPlaceCombo::Instance()->currentIndex(), -1);  // "A" is not among the units
}

TEST_F(GridTest, PasteIntoTheEditBoxInsertsNothing) {
    QApplication::clipboard()->setText("999");
    Click(0, 4);
    CInPlaceEdit* edit = CInPlaceEdit::Instance();
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
}

TEST_F(GridTest, ChoosingAnotherUnitCommitsAndTheSameUnitSendsNothing) {
    Click(0, 6);
    CInPlaceCombo* combo = CInPlaceCombo::Instance();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "rpm");
    QTest::keyClick(combo, Qt::Key_Return);  // unchanged
    QTest::qWait(10);
    EXPECT_TRUE(CellChanges().empty());
    Click(0, 6);
    combo = CInPlaceCombo::Instance();
    ASSERT_NE(combo, nullptr);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_EQ(grid->GetItemText(0, 6), "r/s");
    ASSERT_EQ(CellChanges().size(), 1u);
    EXPECT_EQ(CellChanges()[0], std::make_tuple(unsigned(platform::WM_CELL_CHANGED), 0, 6));
}

TEST_F(GridTest, DigitsAreDiscardedAfterArrowNavigationOnly) {
    grid->setFocus();
    grid->SelectRow(0, true);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentRow, 1);
    EXPECT_EQ(grid->keyNavigated, 1);
    QTest::keyClick(grid, Qt::Key_3);
    EXPECT_EQ(grid->FocusedRow(), 1);  // the digit did not reach the list's search
    Click(0, 0);
    QTest::keyClick(grid, Qt::Key_3);
    EXPECT_EQ(grid->FocusedRow(), 2);  // type-ahead found the row labelled 3
}

TEST_F(GridTest, ClickOutsideAnyCellIsDropped) {
    grid->SelectRow(1, true);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(590, 290));
    EXPECT_EQ(grid->FocusedRow(), 1);
    EXPECT_EQ(grid->currentRow, -1);
}

TEST_F(GridTest, ColumnsCannotBeResized) {
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(4), QHeaderView::Fixed);
}

TEST_F(GridTest, CellRectScrollsAHiddenCellIntoView) {
    grid->setGeometry(0, 0, 200, 300);
    QApplication::processEvents();
    QRect r = grid->GetCellRect(0, 6);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_LE(r.right(), grid->viewport()->width());
    EXPECT_EQ(r.width(), 80);
}

TEST_F(GridTest, MenuGraysDelAndHelpWithoutSelection) {
    grid->DeselectAll();
    QMenu* menu = BuildGridMenu(*grid, &window);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());
    EXPECT_FALSE(menu->actions()[2]->isEnabled());
    grid->SelectRow(2, true);
    QMenu* selected = BuildGridMenu(*grid, &window);
    EXPECT_TRUE(selected->actions()[1]->isEnabled());
    EXPECT_TRUE(selected->actions()[2]->isEnabled());
}

}  // namespace
