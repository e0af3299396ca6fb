// The digital I/O page and its function list against the simulated drive.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "drive_sim.h"
#include "pages/datainout.h"
#include "pages/datainoutlist.h"
#include "pages/usertooltip.h"

using namespace platform;

namespace {

bool Lit(QWidget* w) {
    return w->property("bitSet").toBool();
}

class IoPageTest : public DriveSimTest {
protected:
    std::unique_ptr<CDataInOut> Open() {
        auto page = std::make_unique<CDataInOut>(sim.g());
        page->OnInitialUpdate();
        Show(page.get(), {450, 560});
        EXPECT_TRUE(WaitUntil([&] { return page->readCursor == 0; }));
        return page;
    }
    // Toggles the check box of a list row with the space key.
    static void ToggleRow(CDataInOutList* list, int row) {
        list->List()->setCurrentCell(row, 0);
        QTest::keyClick(list->List(), Qt::Key_Space);
    }
    static QPushButton* Ok(CDataInOutList* list) { return list->findChild<QPushButton*>("1202"); }
};

TEST_F(IoPageTest, FunctionSetsShowTheirNamesWithNumberedTips) {
    ASSERT_TRUE(StartSim());
    sim.base().Write("data/DataInOut.ini", "[in]\nen0001=A\nen0004=C\nen8001=X\nen8002=Y\n");
    Set(0x201003, 0x0005);
    Set(0x201004, 0x8003);
    Set(0x201005, 0);
    auto page = Open();
    EXPECT_EQ(page->FunctionBox(0)->text(), "A+C");
    EXPECT_EQ(page->FunctionTip(0), (QStringList{"1.A", "2.C"}));
    EXPECT_EQ(page->FunctionBox(1)->text(), "X+Y");
    EXPECT_EQ(page->FunctionBox(2)->text(), "NULL");
    QTest::mouseMove(page->FunctionBox(0), QPoint(10, 5));
    EXPECT_TRUE(WaitUntil([&] { return !page->ToolTip().TipRect().isEmpty(); }, 3000));
    EXPECT_EQ(page->ToolTip().CurrentId(), CUserToolTip::ControlIdOf(page->FunctionBox(0)));

    // The same value again leaves the text as it is; a new value builds it anew.
    sim.base().Write("data/DataInOut.ini", "[in]\nen0001=B\nen0004=D\n");
    page->OnMessage(WM_PAGE_NOTIFY, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return page->readCursor == 0; }));
    EXPECT_EQ(page->FunctionBox(0)->text(), "A+C");
    Set(0x201003, 0x0004);
    page->OnMessage(WM_PAGE_NOTIFY, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return page->FunctionBox(0)->text() == "D"; }));
    EXPECT_EQ(page->FunctionTip(0), QStringList{"1.D"});
}

TEST_F(IoPageTest, SwitchesWriteTheirWordAndTheLampsFollowTheDrive) {
    ASSERT_TRUE(StartSim());
    auto page = Open();
    QPushButton* dout6 = page->SwitchButton(io::OutPolarity, 5);
    ASSERT_EQ(dout6->objectName(), "DOUT6Polarity");
    EXPECT_FALSE(Lit(dout6));
    QTest::mouseClick(dout6, Qt::LeftButton);
    EXPECT_TRUE(Lit(dout6));
    EXPECT_TRUE(WaitUntil([&] { return Get(io::kOutputPolarity) == 0x20; }));
    // An inverted output whose function is off switches on.
    EXPECT_TRUE(WaitUntil([&] { return Lit(page->Lamp(io::kOutputLevels, 5)); }));
    QTest::mouseClick(dout6, Qt::LeftButton);
    EXPECT_FALSE(Lit(dout6));
    EXPECT_TRUE(WaitUntil([&] { return Get(io::kOutputPolarity) == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return !Lit(page->Lamp(io::kOutputLevels, 5)); }));

    EXPECT_EQ(Tell("inputs 05"), "ok");
    EXPECT_TRUE(WaitUntil([&] {
        return Lit(page->Lamp(io::kInputLevels, 0)) && Lit(page->Lamp(io::kInputLevels, 2));
    }));
    EXPECT_FALSE(Lit(page->Lamp(io::kInputLevels, 1)));
    // Simulating DIN2 makes it active for the functions.
    QTest::mouseClick(page->SwitchButton(io::InSimulation, 1), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return Lit(page->Lamp(io::kInputVirtual, 1)); }));
    EXPECT_EQ(Get(io::kInputSimulation), 0x02);
    Shot(page.get(), "io");
}

TEST_F(IoPageTest, FunctionListRefusesMixedTablesAndWritesTheChosenSet) {
    ASSERT_TRUE(StartSim());
    Set(0x201003, 0x0001);
    auto page = Open();
    QTest::mouseClick(page->MoreButton(0), Qt::LeftButton);
    CDataInOutList* list = page->ListDialog(true);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->Key(), 0x201003);
    ASSERT_EQ(list->List()->rowCount(), 29);
    EXPECT_EQ(list->List()->item(0, 0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->List()->item(15, 1)->text(), "8001");
    Shot(list, "io-list");

    ToggleRow(list, 0);
    ToggleRow(list, 2);
    ToggleRow(list, 16);
    QTest::mouseClick(Ok(list), Qt::LeftButton);
    EXPECT_EQ(boxes.Texts(), QStringList{"Your setting is wrong!!"});
    EXPECT_TRUE(list->isVisible());

    ToggleRow(list, 2);
    ToggleRow(list, 16);
    ToggleRow(list, 15);
    ToggleRow(list, 17);
    QTest::mouseClick(Ok(list), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return Get(0x201003) == 0x8005; }));
    EXPECT_TRUE(WaitUntil([&] {
        return page->FunctionBox(0)->text() == "Multi-speed select bit 0+Multi-speed select bit 2";
    }));
    // Opened again, the list shows the second table's set.
    QTest::mouseClick(page->MoreButton(0), Qt::LeftButton);
    EXPECT_EQ(list->List()->item(15, 0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->List()->item(16, 0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->List()->item(0, 0)->checkState(), Qt::Unchecked);
    QTest::mouseClick(list->findChild<QPushButton*>("1203"), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
}

}  // namespace
