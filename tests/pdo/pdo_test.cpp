// The PDO mapping pages: tab pages created on first selection, lists from their files.
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "drive_sim.h"
#include "pages/combolistctrl.h"
#include "pages/drvpanelf002.h"
#include "pdo/pdohostpage.h"
#include "pdo/pdotabdlg.h"

using namespace platform;

namespace {

class PdoTest : public DriveSimTest {
protected:
    std::unique_ptr<CPdoHostPage> OpenTransmit() {
        auto page =
            std::make_unique<CPdoHostPage>(sim.g(), "CTagFormView", TransmitPdoDialog(), 47);
        page->OnInitialUpdate();
        Show(page.get(), {620, 420});
        return page;
    }
    static void ClickTab(CPdoTabDlg* dialog, int n) {
        QTabBar* bar = dialog->Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(n).center());
    }
    static bool ValuesShown(CDrvPanelF002* page) {
        CComboListCtrl& grid = page->Grid();
        for (int r = 0; r < grid.GetItemCount(); ++r)
            if (grid.GetItemText(r, grid::Value).isEmpty())
                return false;
        return grid.GetItemCount() > 0;
    }
};

TEST_F(PdoTest, ATabsListPageIsCreatedOnItsFirstSelectionOnly) {
    ASSERT_TRUE(StartSim());
    auto host = OpenTransmit();
    CPdoTabDlg* dialog = host->Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Tabs()->count(), 8);
    EXPECT_EQ(dialog->Tabs()->tabText(2), "TPDO3");
    EXPECT_EQ(dialog->Tabs()->size(), QSize(600, 400));
    ASSERT_NE(dialog->TabPage(0), nullptr);
    EXPECT_EQ(dialog->TabPage(2), nullptr);

    ClickTab(dialog, 2);
    CDrvPanelF002* third = dialog->TabPage(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Config().pageName, "TPDO3");
    EXPECT_EQ(third->Config().pageNumber, 32);
    EXPECT_TRUE(WaitUntil([&] { return ValuesShown(third); }));
    Shot(host.get(), "tpdo3");
    ClickTab(dialog, 0);
    EXPECT_FALSE(third->isVisible());
    ClickTab(dialog, 2);
    EXPECT_EQ(dialog->TabPage(2), third);
    EXPECT_TRUE(third->isVisible());
    EXPECT_EQ(dialog->findChildren<CDrvPanelF002*>().size(), 2);
}

TEST_F(PdoTest, AMissingListFileGivesAnEmptyTab) {
    ASSERT_TRUE(StartSim());
    ASSERT_TRUE(QFile::remove(sim.base().File("sys/TPDO1.ini")));
    auto host = OpenTransmit();
    EXPECT_EQ(host->Dialog()->TabPage(0)->Grid().GetItemCount(), 0);
}

TEST_F(PdoTest, TabsOpenedOfflineReadWhenTheLinkIsConfirmed) {
    ASSERT_TRUE(StartSim(false));
    auto host = OpenTransmit();
    CDrvPanelF002* first = host->Dialog()->TabPage(0);
    ASSERT_GT(first->Grid().GetItemCount(), 0);
    EXPECT_FALSE(ValuesShown(first));
    ASSERT_TRUE(Connect());
    host->OnMessage(WM_PAGE_NOTIFY, 2, 0);
    EXPECT_TRUE(WaitUntil([&] { return ValuesShown(first); }));
}

}  // namespace
