// Link pages and link status against a drive on a pseudo-terminal, through the real serial
// component and worker.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/maintoolbar.h"
#include "app/pageframes.h"
#include "comm/commmode.h"
#include "comm/commrs232.h"
#include "comm/linkpagecommon.h"
#include "pty_drive.h"
#include "resources/bitmaps.h"
#include "shell_fixture.h"

using namespace resources;

namespace {

constexpr int kStatusWord = 0x604100;

class LinkTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(drive.Path().isEmpty());
        ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
        SetSetting("sys", "lang", "1");
        SetSetting("sys", "comm", "2");
        SetSetting("com", "comid", drive.Path());
        SetSetting("com", "buadrate", "115200");
        SetSetting("com", "driverid", "3");
        StartFrame();
        global->commMode = 2;
    }
    CCommRs232* SerialPage() {
        frame->OnCommand(cmd::ID_COMM_SETTINGS);
        CChildFrame* f = frame->frames().Find(cmd::ID_PAGE_COMM_RS232);
        return f ? static_cast<CCommRs232*>(f->view()) : nullptr;
    }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    bool Confirmed() {
        return WaitFor([&] {
            return global->awaitingDrive.load() == 0 && frame->linkPane()->text() != kClosed;
        });
    }
    const QString kClosed = QStringLiteral("Comm Status: Closed");
    PtyDrive drive;
};

}  // namespace

TEST_F(LinkTest, SerialOpenConfirmCloseWritesTheSettings) {
    CCommRs232* page = SerialPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->portList()->currentText(), drive.Path());  // the saved port, selected
    EXPECT_EQ(page->baudList()->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(page->addressEdit()->text(), QStringLiteral("3"));

    page->addressEdit()->setText("5");
    Click(page->toggleButton());
    EXPECT_EQ(global->online.load(), 1);
    EXPECT_TRUE(linkpage::ToggleShowsOpen(page->toggleButton()));
    EXPECT_EQ(frame->toolBar()->imageSet(), IDB_TOOLBAR_OPEN);
    ASSERT_TRUE(Confirmed()) << boxes.Texts().join("|").toStdString() << " requests "
                             << drive.Requests();
    EXPECT_EQ(frame->linkPane()->text(),
              QStringLiteral("Comm Status: Open  %1  115200").arg(drive.Path()));
    EXPECT_EQ(Setting("com", "comid"), drive.Path());
    EXPECT_EQ(Setting("com", "buadrate"), QStringLiteral("115200"));
    EXPECT_EQ(Setting("com", "driverid"), QStringLiteral("5"));
    EXPECT_EQ(global->rememberedAddress, 5);

    Click(page->toggleButton());
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_FALSE(linkpage::ToggleShowsOpen(page->toggleButton()));
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_EQ(frame->toolBar()->imageSet(), IDB_TOOLBAR_CLOSED);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
}

TEST_F(LinkTest, BaudChangeClosesAnOpenLink) {
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    ASSERT_TRUE(Confirmed());
    page->baudList()->setFocus();
    QTest::keyClick(page->baudList(), Qt::Key_Up);  // 57600: a real change
    EXPECT_EQ(page->baudList()->currentText(), QStringLiteral("57600"));
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_FALSE(linkpage::ToggleShowsOpen(page->toggleButton()));
}

TEST_F(LinkTest, ToggleIsIgnoredWhileAwaitingTheDriveThenSilenceReportsIt) {
    drive.SetSilent(true);
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    EXPECT_EQ(global->awaitingDrive.load(), 1);
    Click(page->toggleButton());           // ignored: still open, still waiting
    frame->OnCommand(cmd::ID_TB_CONNECT);  // ignored as well
    EXPECT_EQ(global->online.load(), 1);
    ASSERT_TRUE(WaitFor([&] { return boxes.Contains("Not Find Driver! Please Check..."); }, 10000));
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_EQ(global->awaitingDrive.load(), 0);
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_TRUE(WaitFor([&] { return !linkpage::ToggleShowsOpen(page->toggleButton()); }));
}

TEST_F(LinkTest, DriveGoneSilentTakesTheLinkDown) {
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    ASSERT_TRUE(Confirmed());
    drive.SetSilent(true);
    ASSERT_TRUE(WaitFor([&] { return global->online.load() == 2; }, 10000));
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_EQ(frame->toolBar()->imageSet(), IDB_TOOLBAR_CLOSED);
    EXPECT_FALSE(boxes.Contains("Not Find Driver! Please Check..."));  // it had answered
    EXPECT_TRUE(WaitFor([&] { return !linkpage::ToggleShowsOpen(page->toggleButton()); }));
}

TEST_F(LinkTest, FaultBitSwitchesTheImagesOnlyWhenItChanges) {
    drive.SetValue(kStatusWord, 0x0008);
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    ASSERT_TRUE(Confirmed());
    ASSERT_TRUE(WaitFor([&] { return frame->toolBar()->imageSet() == IDB_TOOLBAR_FAULT; }));
    int switches = frame->toolBar()->switchCount();
    int polls = drive.Requests();
    ASSERT_TRUE(WaitFor([&] { return drive.Requests() >= polls + 5; }));
    EXPECT_EQ(frame->toolBar()->switchCount(), switches);  // the same bit: no change
    drive.SetValue(kStatusWord, 0x0000);
    ASSERT_TRUE(WaitFor([&] { return frame->toolBar()->imageSet() == IDB_TOOLBAR_OPEN; }));
    EXPECT_EQ(frame->toolBar()->switchCount(), switches + 1);
    EXPECT_EQ(frame->linkStatus().faultState(), 0);
}

TEST_F(LinkTest, BlinkAlternatesWhileOpenAndClearsConstantsWhileClosed) {
    global->evaluator.AddConst(0x609101, 3);
    frame->linkStatus().OnTimer();  // closed: constants go
    EXPECT_FALSE(global->evaluator.HasConst(0x609101));
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    ASSERT_TRUE(Confirmed());
    frame->linkStatus().OnTimer();
    EXPECT_EQ(frame->toolBar()->imageSet(), IDB_TOOLBAR_CLOSED);
    frame->linkStatus().OnTimer();
    EXPECT_EQ(frame->toolBar()->imageSet(), IDB_TOOLBAR_OPEN);
}

TEST_F(LinkTest, ReconnectFromTheToolBarUsesTheSavedSettings) {
    frame->OnCommand(cmd::ID_TB_CONNECT);  // no link page yet: sys.ini
    EXPECT_EQ(global->online.load(), 1);
    ASSERT_TRUE(Confirmed());
    EXPECT_EQ(frame->linkPane()->text(),
              QStringLiteral("Comm Status: Open  %1  115200").arg(drive.Path()));
    frame->OnCommand(cmd::ID_TB_CONNECT);
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
}

TEST_F(LinkTest, ReconnectWithAWrongPortSaysSoAndStaysClosed) {
    SetSetting("com", "comid", base.File("no-such-port"));
    frame->OnCommand(cmd::ID_TB_CONNECT);
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_TRUE(boxes.Contains("open COM port failure! comm setting might wrong! \n"));
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
}

TEST_F(LinkTest, SerialOpenRefusedShowsTheComponentsCode) {
    SetSetting("com", "comid", base.File("no-such-port"));
    CCommRs232* page = SerialPage();
    Click(page->toggleButton());
    EXPECT_EQ(global->online.load(), 2);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Texts()[0].startsWith("open COM port failure!! \nerrcode:="));
    EXPECT_NE(boxes.Texts()[0], QStringLiteral("open COM port failure!! \nerrcode:=0"));
}

TEST_F(LinkTest, ModePageNextWritesTheModeAndOpensTheLinkPage) {
    frame->OnCommand(cmd::ID_COMM_MODE);
    CChildFrame* f = frame->frames().Find(cmd::ID_COMM_MODE);
    ASSERT_NE(f, nullptr);
    auto* mode = static_cast<CCommMode*>(f->view());
    EXPECT_TRUE(mode->serialButton()->isChecked());
    EXPECT_FALSE(mode->rs485Button()->isEnabled());
    EXPECT_FALSE(mode->usbButton()->isEnabled());
    ClickIndicator(mode->offlineButton());
    EXPECT_EQ(global->commMode, 1);
    EXPECT_FALSE(mode->serialButton()->isChecked());
    ClickIndicator(mode->serialButton());
    QTest::mouseClick(mode->nextButton(), Qt::LeftButton);
    EXPECT_EQ(Setting("sys", "comm"), QStringLiteral("2"));
    EXPECT_EQ(frame->frames().Find(cmd::ID_COMM_MODE), nullptr);
    EXPECT_TRUE(frame->frames().Find(cmd::ID_PAGE_COMM_RS232)->isVisible());
}

TEST_F(LinkTest, ModePageDisablesCanLeftInUseByAnotherInstance) {
    SetSetting("sys", "can", "1");
    global->commMode = 5;
    frame->OnCommand(cmd::ID_COMM_MODE);
    auto* mode = static_cast<CCommMode*>(frame->frames().Find(cmd::ID_COMM_MODE)->view());
    EXPECT_FALSE(mode->canButton()->isEnabled());
    EXPECT_TRUE(mode->offlineButton()->isChecked());
    EXPECT_EQ(global->commMode, 1);
    QTest::mouseClick(mode->nextButton(), Qt::LeftButton);
    EXPECT_EQ(Setting("sys", "comm"), QStringLiteral("1"));
}

// Pictures of the main window with its link pages, for looking at (VELTO_SHOT_DIR=folder).
TEST_F(LinkTest, PicturesWhenAsked) {
    QString folder = qEnvironmentVariable("VELTO_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "VELTO_SHOT_DIR not set";
    frame->OnCommand(cmd::ID_COMM_MODE);
    frame->frames().Find(cmd::ID_COMM_MODE)->move(20, 20);
    CCommRs232* page = SerialPage();
    frame->frames().Find(cmd::ID_PAGE_COMM_RS232)->move(360, 20);
    Click(page->toggleButton());
    Confirmed();
    frame->linkStatus().OnTimer();
    frame->linkStatus().OnTimer();
    QTest::qWait(200);
    frame->grab().save(folder + "/main.png");
}
