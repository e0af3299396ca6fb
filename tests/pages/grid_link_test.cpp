// The grid's value cells and the link: greyed while the values are old, normal once read, and
// the reason of a refusal as the tool tip of its "????".
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include "pages/combolistctrl.h"
#include "pages/inplaceeditors.h"

namespace {

class GridLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        CComboListCtrl::SetLinkLive(true);
        window.resize(500, 200);
        grid = new CComboListCtrl(&window);
        grid->setGeometry(0, 0, 500, 200);
        const int widths[] = {50, 0, 150, 0, 160, 0, 80};
        for (int c = 0; c < 7; ++c) grid->InsertColumn(c, QString("c%1").arg(c), widths[c]);
        for (int r = 0; r < 3; ++r) {
            grid->InsertItem(-1, QString::number(r + 1));
            grid->SetItemText(r, 2, QStringLiteral("object %1").arg(r));
            grid->SetItemText(r, 4, QStringLiteral("8888888"));
        }
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override {
        CComboListCtrl::SetLinkLive(false);
        CInPlaceEdit::DestroyShared();
        CInPlaceCombo::DestroyShared();
    }
    // The darkest text pixel drawn in the cell: how the user sees the value.
    int DarkestIn(int row, int column) {
        QApplication::processEvents();
        QImage image = grid->viewport()->grab().toImage();
        QRect cell = grid->visualRect(grid->model()->index(row, column)).adjusted(2, 2, -2, -2);
        int darkest = 255;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    }
    // The tip the user gets when resting the mouse on the cell; empty when none shows.
    QString ToolTipAt(int row, int column) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        QRect cell = grid->visualRect(grid->model()->index(row, column));
        QHelpEvent help(QEvent::ToolTip, cell.center(),
                        grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    QWidget window;
    CComboListCtrl* grid = nullptr;
};

}  // namespace

TEST_F(GridLinkTest, ValuesTurnGreyWhenTheLinkGoesDownAndNormalWhenReadAgain) {
    const int normal = DarkestIn(0, 4);
    EXPECT_FALSE(grid->IsValueStale(0));

    CComboListCtrl::SetLinkLive(false);
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(grid->IsValueStale(r));
        EXPECT_EQ(grid->GetItemText(r, 4), "8888888");  // the text stays
    }
    const int grey = DarkestIn(0, 4);
    EXPECT_GT(grey, normal + 60) << "normal " << normal << ", greyed " << grey;
    EXPECT_EQ(DarkestIn(0, 2), normal);  // names are no values

    // Text set while the link is down is no reading either.
    grid->SetItemText(1, 4, QStringLiteral("7777777"));
    EXPECT_TRUE(grid->IsValueStale(1));

    CComboListCtrl::SetLinkLive(true);
    EXPECT_TRUE(grid->IsValueStale(0));  // until its row is read
    grid->SetItemText(0, 4, QStringLiteral("1234567"));
    EXPECT_FALSE(grid->IsValueStale(0));
    EXPECT_TRUE(grid->IsValueStale(2));
    EXPECT_EQ(DarkestIn(0, 4), normal);
    EXPECT_GT(DarkestIn(2, 4), normal + 60);
}

TEST_F(GridLinkTest, EveryGridGreysItsValuesAndOnlyItsValueColumn) {
    CComboListCtrl other(&window);
    other.InsertColumn(0, "index", 60);
    other.InsertColumn(1, "sub", 40);
    other.InsertColumn(2, "name", 100);
    other.InsertItem(-1, "6041");
    CComboListCtrl custom(&window);
    for (int c = 0; c < 3; ++c) custom.InsertColumn(c, QString("c%1").arg(c), 60);
    custom.SetValueColumn(1);
    custom.InsertItem(-1, "label");
    custom.SetItemText(0, 1, "42");

    CComboListCtrl::SetLinkLive(false);
    EXPECT_TRUE(grid->IsValueStale(2));
    EXPECT_FALSE(other.IsValueStale(0));  // a list without values
    EXPECT_TRUE(custom.IsValueStale(0));
}

TEST_F(GridLinkTest, ARefusalShowsItsAbortCodeAndMeaningUntilTheValueIsRead) {
    grid->SetValueAbort(1, 0x06090030);
    EXPECT_EQ(grid->GetItemText(1, 4), "????");
    EXPECT_FALSE(grid->IsValueStale(1));  // the drive answered
    EXPECT_EQ(ToolTipAt(1, 4).toStdString(), "abort 0x06090030: value range of parameter exceeded");
    EXPECT_EQ(ToolTipAt(0, 4).toStdString(), "");  // no reason where nothing was refused

    grid->SetItemText(1, 4, QStringLiteral("12"));
    EXPECT_EQ(ToolTipAt(1, 4).toStdString(), "");
}
