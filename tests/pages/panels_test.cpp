// The drive panels F001, F002 and F007 against the simulated drive.
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "drive_sim.h"
#include "pages/combolistctrl.h"
#include "pages/drvpanelf001.h"
#include "pages/drvpanelf002.h"
#include "pages/drvpanelf007.h"

using namespace platform;

namespace {

class PanelTest : public DriveSimTest {
protected:
    std::unique_ptr<CDrvPanelF001> OpenF001() {
        auto page = std::make_unique<CDrvPanelF001>(sim.g());
        page->OnInitialUpdate();
        page->OnMessage(WM_PAGE_NOTIFY, 0, 0);
        Show(page.get(), {300, 120});
        return page;
    }
    QString NameOf(std::int32_t key) {
        CSdoInfo entry;
        sim.g().dictionary.FindByKey(key, entry);
        return entry.name;
    }
};

TEST_F(PanelTest, F001ChoicesAreTheListFilesObjectsAndSelectTheirEntry) {
    ASSERT_TRUE(StartSim());
    sim.base().Write("sys/F001.ini", "[F001]\nnum=3\n1=60630020\n2=0\n3=606C0020\n");
    Set(0x2FF004, 0);
    auto page = OpenF001();
    EXPECT_EQ(page->ValueText()->text(), "Value...");
    ASSERT_EQ(page->Choices()->count(), 2);
    EXPECT_EQ(page->Choices()->itemText(0), NameOf(0x606300) + "(0)");
    EXPECT_EQ(page->Choices()->itemText(1), NameOf(0x606C00) + "(2)");
    ASSERT_TRUE(WaitUntil([&] { return page->Choices()->currentIndex() == 0; }));
    // The second choice is entry 2 of the file: the selector gets 2.
    page->Choices()->setFocus();
    QTest::keyClick(page->Choices(), Qt::Key_Down);
    EXPECT_TRUE(WaitUntil([&] { return Get(0x2FF004) == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return page->selectedEntry == 0x606C0020u; }));
}

TEST_F(PanelTest, F001ChoiceWritesTheSelectorAndShowsTheQuantity) {
    ASSERT_TRUE(StartSim());
    Set(0x2FF004, 0);
    auto page = OpenF001();
    ASSERT_TRUE(WaitUntil([&] { return page->Choices()->currentIndex() == 0; }));
    page->Choices()->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(page->Choices(), Qt::Key_Down);
    EXPECT_EQ(page->Choices()->currentIndex(), 3);
    EXPECT_TRUE(WaitUntil([&] { return Get(0x2FF004) == 3; }));
    // Entry 4 of the shipped list is 0x60F4 (following error): its value shows.
    EXPECT_TRUE(WaitUntil([&] { return page->selectedEntry == 0x60F40020u; }));
    EXPECT_TRUE(WaitUntil([&] { return page->ValueText()->text() != "Value..."; }));
    Shot(page.get(), "f001");
}

TEST_F(PanelTest, F001ShowsSixteenBitSignedObjectsWithTheirSign) {
    ASSERT_TRUE(StartSim());
    sim.base().Write("sys/F001.ini", "[F001]\nnum=2\n1=60630020\n2=605A0010\n");
    Set(0x2FF004, 1);
    auto page = OpenF001();
    ASSERT_TRUE(WaitUntil([&] { return page->Choices()->currentIndex() == 1; }));
    for (auto [raw, shown] : {std::pair{0xFFFF, "-1"}, {0x7FFF, "32767"}, {0x8000, "-32768"}}) {
        Set(0x605A00, raw);
        EXPECT_TRUE(WaitUntil([&] { return page->ValueText()->text() == shown; })) << shown;
    }
}

TEST_F(PanelTest, F007ListsTheStoredErrorsNewestFirst) {
    ASSERT_TRUE(StartSim());
    const std::uint32_t times[8] = {5, 9, 7, 0, 0, 0, 0, 0};
    const std::uint32_t codes[8] = {0x2320, 0x1234, 0x5210, 0, 0, 0, 0, 0};
    for (int n = 0; n < 8; ++n) {
        Set(errors::HistoryTimeKey(n), times[n]);
        Set(errors::HistoryCodeKey(n), codes[n]);
    }
    CDrvPanelF007 page(sim.g());
    page.OnMessage(WM_PAGE_NOTIFY, 0, 0);
    Show(&page, {215, 250});
    ASSERT_TRUE(WaitUntil([&] { return page.nextKey == 0; }));
    QTableWidget* list = page.List();
    ASSERT_EQ(list->rowCount(), 8);
    QStringList rows;
    for (int r = 0; r < 3; ++r)
        rows << list->item(r, 0)->text() + " " + list->item(r, 1)->text() + " " +
                    list->item(r, 2)->text();
    EXPECT_EQ(rows, (QStringList{"9 1 1234", "7 2 0001", "5 0 0080"}));
    Shot(&page, "f007");
    // Brought up again, it reads afresh.
    Set(errors::HistoryTimeKey(7), 20);
    page.OnMessage(WM_PAGE_NOTIFY, 0, 0);
    EXPECT_EQ(list->rowCount(), 0);
    ASSERT_TRUE(WaitUntil([&] { return page.nextKey == 0; }));
    EXPECT_EQ(list->item(0, 1)->text(), "7");
}

TEST_F(PanelTest, F002TakesTheCurrentListPage) {
    ASSERT_TRUE(StartSim());
    CurrentListPage() = {"F002", 40};
    CDrvPanelF002 page(sim.g());
    EXPECT_EQ(page.Config().pageName, "F002");
    EXPECT_EQ(page.Config().pageNumber, 40);
    EXPECT_TRUE(page.Config().placementOnly);
    page.OnInitialUpdate();
    Show(&page, {500, 400});
    ASSERT_TRUE(WaitUntil([&] { return page.readCursor == 0; }));
    ASSERT_EQ(page.Grid().GetItemCount(), 13);
    EXPECT_EQ(page.Grid().GetItemText(0, grid::Key), QString::number(0x604100));
    EXPECT_FALSE(page.Grid().GetItemText(0, grid::Value).isEmpty());
}

}  // namespace
