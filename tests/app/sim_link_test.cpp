// The link pages and the tool-bar reconnect against the simulated drive (veltosim), over a
// pseudo-terminal and over a private virtual CAN bus.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/maintoolbar.h"
#include "app/pageframes.h"
#include "comm/commcan.h"
#include "comm/commrs232.h"
#include "comm/linkpagecommon.h"
#include "resources/bitmaps.h"
#include "shell_fixture.h"
#include "support/sim_process.h"

namespace {

class SimLinkTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
        ASSERT_TRUE(base.CopyFromRuntime("data/CAN.so"));
        SetSetting("sys", "lang", "1");
    }
    QStringList SimArgs() const {
        return {"--base",    RuntimeDir(),      "--address", "1",
                "--control", base.File("ctl1"), "--no-stdin"};
    }
    CPageView* LinkPage(int mode) {
        global->commMode = mode;
        frame->OnCommand(cmd::ID_COMM_SETTINGS);
        CChildFrame* f =
            frame->frames().Find(mode == 5 ? cmd::ID_PAGE_COMM_CAN : cmd::ID_PAGE_COMM_RS232);
        return f ? f->view() : nullptr;
    }
    bool ShowsStatus(const QString& text) {
        return WaitFor([&] { return frame->linkPane()->text() == text; }, 10000);
    }
    SimProcess sim;
};

}  // namespace

TEST_F(SimLinkTest, SerialPageOpensTheSimulatedDrive) {
    const QString link = base.File("ttyVSIM1");
    ASSERT_TRUE(sim.Start(SimArgs() << "--serial" << link));
    SetSetting("com", "comid", link);
    SetSetting("com", "buadrate", "115200");
    SetSetting("com", "driverid", "1");
    StartFrame();
    auto* page = static_cast<CCommRs232*>(LinkPage(2));
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(page->toggleButton(), Qt::LeftButton);
    EXPECT_TRUE(ShowsStatus(QStringLiteral("Comm Status: Open  %1  115200").arg(link)))
        << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(global->awaitingDrive.load(), 0);
    EXPECT_NE(frame->toolBar()->imageSet(), resources::IDB_TOOLBAR_CLOSED);
    QTest::mouseClick(page->toggleButton(), Qt::LeftButton);
    EXPECT_EQ(frame->linkPane()->text(), QStringLiteral("Comm Status: Closed"));
}

TEST_F(SimLinkTest, CanPageAndReconnectAtTenKBit) {
    const QString adapter =
        QStringLiteral("virtualcan:tcp://127.0.0.1:%1/can0").arg(PrivateCanPort());
    // The serial link too: its path is the line that tells the drive is ready.
    ASSERT_TRUE(sim.Start(SimArgs() << "--can" << adapter << "--serial" << base.File("ttyVSIM1")));
    SetSetting("can", "adapter", adapter);
    SetSetting("can", "buadrate", "28");  // 500 KBit/s
    SetSetting("can", "driverid", "1");
    StartFrame();
    auto* page = static_cast<CCommCan*>(LinkPage(5));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->rateList()->currentText(), QStringLiteral("500 KBit/s"));
    EXPECT_TRUE(page->versionLabel()->text().startsWith("CAN Ver"));
    QTest::mouseClick(page->toggleButton(), Qt::LeftButton);
    EXPECT_TRUE(ShowsStatus(QStringLiteral("Comm Status: Open 500 KBit/s")))
        << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(Setting("can", "buadrate"), QStringLiteral("28"));
    EXPECT_EQ(Setting("sys", "can"), QStringLiteral("1"));
    QTest::mouseClick(page->toggleButton(), Qt::LeftButton);
    ASSERT_EQ(global->online.load(), 2);

    // The tool-bar reconnect from the settings file at 10 KBit/s shows that rate.
    global->settingsRemembered = 0;
    SetSetting("can", "buadrate", "26415");
    frame->OnCommand(cmd::ID_TB_CONNECT);
    EXPECT_TRUE(ShowsStatus(QStringLiteral("Comm Status: Open 10 KBit/s")))
        << boxes.Texts().join("|").toStdString();
}
