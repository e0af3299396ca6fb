// Every menu and tool-bar command of the I/O, panel, error and PDO pages is enabled and opens
// its page in the main frame.
#include <gtest/gtest.h>

#include <QAction>

#include "app/childframe.h"
#include "app/global.h"
#include "app/mainframe.h"
#include "app/maintoolbar.h"
#include "app/menubuilder.h"
#include "app/pageregistry.h"
#include "app/pageview.h"
#include "maintenance/errorpages.h"
#include "pages/combolistctrl.h"
#include "pages/drvpanelf002.h"
#include "pages/panelpages.h"
#include "pdo/pdohostpage.h"
#include "pdo/pdopages.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

struct Expected {
    int command;
    const char* view;
};

const Expected kPages[] = {
    {1218, "CDataInOut"},    {1228, "CErrorGroup"},   {1235, "CRealtimeError"},
    {1249, "CDrvPanelF000"}, {1237, "CDrvPanelF001"}, {1242, "CDrvPanelF002"},
    {1238, "CDrvPanelF003"}, {1239, "CDrvPanelF004"}, {1240, "CDrvPanelF005"},
    {1241, "CDrvPanelF007"}, {32842, "CTagFormView"}, {32841, "CTagFormViewRPD"},
    {1255, "CDrvPanelF002"},
};

class PagesMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.CopyFromRuntime("data/velto.dat"));
        for (const char* f : {"data/DataInOut.ini", "sys/F001.ini", "sys/RPDO3.ini"})
            ASSERT_TRUE(base.CopyFromRuntime(f)) << f;
        base.Write("sys/sys.ini", "[sys]\nlang=2\n");
        g = std::make_unique<CGlobal>(base.Path());
        g->dictionary.WaitLoaded(20000);
        g->screenDpi = 96;
        RegisterErrorPages(CPageRegistry::Instance(), *g);
        RegisterPanelPages(CPageRegistry::Instance(), *g);
        RegisterPdoPages(CPageRegistry::Instance(), *g);
        frame = std::make_unique<CMainFrame>(*g);
        g->mainWindow = frame->Handle();
        frame->resize(1024, 720);
        frame->show();
        frame->blinkTimer().stop();
        frame->UpdateCommandStates();
    }
    void TearDown() override {
        g->stopWorker = 1;
        frame.reset();
        g.reset();
    }
    MsgBoxCapture boxes;
    TempBase base;
    std::unique_ptr<CGlobal> g;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(PagesMenuTest, EveryCommandIsEnabledAndOpensItsPage) {
    for (const Expected& e : kPages) {
        QAction* action = frame->menus().Action(e.command);
        ASSERT_NE(action, nullptr) << e.command;
        EXPECT_TRUE(action->isEnabled()) << e.command;
        action->trigger();
        CChildFrame* page = frame->OpenPage(e.command);
        ASSERT_NE(page, nullptr) << e.command;
        EXPECT_EQ(page->view()->objectName(), e.view) << e.command;
        EXPECT_TRUE(page->isVisible()) << e.command;
    }
    for (int command : {1129, 1130})
        EXPECT_TRUE(frame->toolBar()->Action(command)->isEnabled()) << command;
    EXPECT_EQ(frame->OpenPage(1241)->size(), QSize(215, 270));
    EXPECT_EQ(frame->OpenPage(1218)->size(), QSize(450, 590));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(PagesMenuTest, SeparatePdoPagesShowTheirListAndStayOnCloseAll) {
    for (int command = 1256; command <= 1271; ++command)
        EXPECT_TRUE(frame->IsCommandEnabled(command)) << command;
    CChildFrame* rpdo3 = frame->OpenPage(1258);
    ASSERT_NE(rpdo3, nullptr);
    auto* view = qobject_cast<CDrvPanelF002*>(rpdo3->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Config().pageName, "RPDO3");
    EXPECT_EQ(view->Config().pageNumber, 24);
    EXPECT_GT(view->Grid().GetItemCount(), 0);
    CChildFrame* f002 = frame->OpenPage(1242);
    EXPECT_EQ(qobject_cast<CDrvPanelF002*>(f002->view())->Config().pageName, "F002");
    frame->CloseAllPages();
    EXPECT_TRUE(rpdo3->isVisible());
    EXPECT_FALSE(f002->isVisible());
}

TEST_F(PagesMenuTest, AReopenedPdoMappingPageIsActiveAgain) {
    CChildFrame* tpdo = frame->OpenPage(32842);
    auto* host = qobject_cast<CPdoHostPage*>(tpdo->view());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->active, 1);
    tpdo->close();
    EXPECT_EQ(host->active, 0);
    EXPECT_EQ(frame->OpenPage(32842), tpdo);
    EXPECT_EQ(host->active, 1);
}

}  // namespace
