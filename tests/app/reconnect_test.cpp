// A lost link against the simulated drive: the main window reopens it by itself, pages grey
// their old values and read them again, and the user's own close ends the attempts.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/maintoolbar.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "comm/commrs232.h"
#include "pages/combolistctrl.h"
#include "pages/parampage.h"
#include "pages/registration.h"
#include "resources/appicon.h"
#include "resources/bitmaps.h"
#include "shell_fixture.h"
#include "support/child_process.h"
#include "support/sim_process.h"

namespace {

const QString kClosed = QStringLiteral("Comm Status: Closed");
const QString kReconnecting = QStringLiteral("Comm Status: Reconnecting...");

class ReconnectTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
        ASSERT_TRUE(base.CopyFromRuntime("sys/PositionLoop.ini"));
        ASSERT_TRUE(english.load(RuntimeDir() + "/data/EN.qm"));
        QCoreApplication::installTranslator(&english);
        SetSetting("sys", "comm", "2");
        SetSetting("com", "comid", Link());
        SetSetting("com", "buadrate", "115200");
        SetSetting("com", "driverid", "1");
    }
    void TearDown() override {
        ShellTest::TearDown();
        QCoreApplication::removeTranslator(&english);
    }
    // The frame with the parameter pages, sized as the program sizes them in English.
    void Start() {
        StartFrame();
        global->language = 2;
        const char* titles[] = {"name", "data", "unit"};
        const int widths[] = {250, 110, 100, 240, 48};
        for (int i = 0; i < 3; ++i) global->columnTitles[i] = titles[i];
        for (int i = 0; i < 5; ++i) global->columnWidths[i] = widths[i];
        RegisterParameterPages(CPageRegistry::Instance(), *global);
        frame->UpdateCommandStates();
    }
    QString Link() const { return base.File("ttyVSIM1"); }
    bool StartSim(const QStringList& extra = {}) {
        return sim.Start(QStringList{"--base", RuntimeDir(), "--serial", Link(), "--control",
                                     base.File("ctl1"), "--no-stdin"} +
                         extra);
    }
    void Tell(const QString& command) {
        const ChildRun run =
            RunToEnd(RuntimeDir() + "/veltosim",
                     {"--control", base.File("ctl1"), "--tell", command}, QString(), 10000);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
    }
    void PressConnect() {
        CMainToolBar* bar = frame->toolBar();
        QTest::mouseClick(bar->widgetForAction(bar->Action(cmd::ID_TB_CONNECT)), Qt::LeftButton);
    }
    QString OpenText() const { return QStringLiteral("Comm Status: Open  %1  115200").arg(Link()); }
    bool Shows(const QString& text, int timeoutMs = 15000) {
        bool shown = WaitFor([&] { return frame->linkPane()->text() == text; }, timeoutMs);
        EXPECT_TRUE(shown) << "status line: " << frame->linkPane()->text().toStdString()
                           << " instead of " << text.toStdString()
                           << "; messages: " << boxes.Texts().join(" | ").toStdString();
        return shown;
    }
    CParamPage* OpenPositionLoop() {
        CChildFrame* page = frame->OpenPage(cmd::ID_POSITION_LOOP);
        return page ? static_cast<CParamPage*>(page->view()) : nullptr;
    }
    // Every value cell of the page holds what the drive said on the present link.
    static bool AllRead(CParamPage& page) {
        CComboListCtrl& grid = page.Grid();
        for (int r = 0; r < grid.GetItemCount(); ++r)
            if (grid.IsValueStale(r) || grid.GetItemText(r, grid::Value).isEmpty())
                return false;
        return page.readCursor == 0 && grid.GetItemCount() > 0;
    }
    static bool AllGreyed(CParamPage& page) {
        CComboListCtrl& grid = page.Grid();
        for (int r = 0; r < grid.GetItemCount(); ++r)
            if (!grid.IsValueStale(r))
                return false;
        return true;
    }
    static QStringList Values(CParamPage& page) {
        QStringList values;
        for (int r = 0; r < page.Grid().GetItemCount(); ++r)
            values << page.Grid().GetItemText(r, grid::Value);
        return values;
    }
    // With VELTO_SCREENSHOTS set, the main window as the user sees it goes there.
    void Screenshot(const QString& name) {
        const QString folder = qEnvironmentVariable("VELTO_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        QApplication::processEvents();
        frame->grab().save(folder + "/" + name + ".png");
    }
    // Connected, with the position loop page read.
    CParamPage* ConnectWithPage() {
        PressConnect();
        if (!Shows(OpenText()))
            return nullptr;
        CParamPage* page = OpenPositionLoop();
        EXPECT_NE(page, nullptr);
        if (page) {
            EXPECT_TRUE(WaitFor([&] { return AllRead(*page); }, 15000));
        }
        return page;
    }

    QTranslator english;
    SimProcess sim;
};

}  // namespace

TEST_F(ReconnectTest, PulledDriveIsReconnectedAndTheShownPageReadAgain) {
    ASSERT_TRUE(StartSim());
    Start();
    CParamPage* page = ConnectWithPage();
    ASSERT_NE(page, nullptr);
    const QStringList before = Values(*page);
    Screenshot("1-open");

    sim.Stop();
    ASSERT_TRUE(Shows(kClosed));
    EXPECT_TRUE(AllGreyed(*page));
    EXPECT_EQ(Values(*page), before);  // old values stay readable, greyed
    Screenshot("2-lost");
    ASSERT_TRUE(Shows(kReconnecting, CLinkStatus::kReconnectMs + 3000));
    EXPECT_TRUE(frame->linkStatus().Reconnecting());
    Screenshot("3-reconnecting");

    ASSERT_TRUE(StartSim());
    ASSERT_TRUE(Shows(OpenText()));
    EXPECT_TRUE(WaitFor([&] { return AllRead(*page); }, 15000))
        << Values(*page).join(" ").toStdString();
    EXPECT_FALSE(frame->linkStatus().Reconnecting());
    EXPECT_NE(frame->toolBar()->imageSet(), resources::IDB_TOOLBAR_CLOSED);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join(" | ").toStdString();
    Screenshot("4-recovered");
}

TEST_F(ReconnectTest, SilentDriveIsReconnectedAndThePageShowsWhatChangedMeanwhile) {
    ASSERT_TRUE(StartSim());
    Start();
    CParamPage* page = ConnectWithPage();
    ASSERT_NE(page, nullptr);
    const int row = page->Grid().FindRow(0x60FB01);  // position loop gain
    ASSERT_GE(row, 0);
    const QString before = page->Grid().GetItemText(row, grid::Value);

    Tell("silent-for 60000");
    ASSERT_TRUE(Shows(kReconnecting, 10000));
    Tell("set 60FB01 123");  // changed while nobody could see it
    Tell("talk");
    ASSERT_TRUE(Shows(OpenText()));
    EXPECT_TRUE(WaitFor(
        [&] { return AllRead(*page) && page->Grid().GetItemText(row, grid::Value) != before; }));
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join(" | ").toStdString();
}

TEST_F(ReconnectTest, DriveRestartingAfterSaveComesBackWithoutAClick) {
    ASSERT_TRUE(StartSim());
    Start();
    CParamPage* page = ConnectWithPage();
    ASSERT_NE(page, nullptr);
    Tell("restart");
    ASSERT_TRUE(Shows(kClosed, 10000));
    ASSERT_TRUE(Shows(OpenText()));
    EXPECT_TRUE(WaitFor([&] { return AllRead(*page); }));
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join(" | ").toStdString();
}

TEST_F(ReconnectTest, ConnectButtonStopsTheAttemptsAlsoWhileOneWaitsForTheDrive) {
    ASSERT_TRUE(StartSim());
    Start();
    PressConnect();
    ASSERT_TRUE(Shows(OpenText()));
    Tell("silent-for 60000");
    ASSERT_TRUE(Shows(kReconnecting, 10000));
    ASSERT_TRUE(WaitFor([&] { return global->online.load() == 1; }));  // an attempt is open

    PressConnect();
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_FALSE(frame->linkStatus().Reconnecting());
    EXPECT_FALSE(frame->linkStatus().reconnectTimer().isActive());
    EXPECT_EQ(global->online.load(), 2);
    EXPECT_EQ(global->awaitingDrive.load(), 0);
    Tell("talk");
    QTest::qWait(CLinkStatus::kReconnectMs + 500);  // an attempt would have come by now
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join(" | ").toStdString();

    PressConnect();  // the user's own reconnect still works
    EXPECT_TRUE(Shows(OpenText()));
}

TEST_F(ReconnectTest, AChangeOnTheLinkPageStopsTheAttempts) {
    ASSERT_TRUE(StartSim());
    Start();
    global->commMode = 2;
    frame->OnCommand(cmd::ID_COMM_SETTINGS);
    auto* linkPage =
        static_cast<CCommRs232*>(frame->frames().Find(cmd::ID_PAGE_COMM_RS232)->view());
    QTest::mouseClick(linkPage->toggleButton(), Qt::LeftButton);
    ASSERT_TRUE(Shows(OpenText()));
    sim.Stop();
    ASSERT_TRUE(Shows(kReconnecting, 10000));

    linkPage->baudList()->setFocus();
    QTest::keyClick(linkPage->baudList(), Qt::Key_Up);  // another baud rate
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_FALSE(frame->linkStatus().Reconnecting());
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join(" | ").toStdString();
}

TEST_F(ReconnectTest, SwitchedOffInTheSettingsTheLinkStaysClosed) {
    SetSetting("sys", "reconnect", "0");
    ASSERT_TRUE(StartSim());
    Start();
    PressConnect();
    ASSERT_TRUE(Shows(OpenText()));
    sim.Stop();
    ASSERT_TRUE(Shows(kClosed));
    EXPECT_FALSE(frame->linkStatus().Reconnecting());
}

TEST_F(ReconnectTest, ADriveThatNeverAnsweredIsNotRetried) {
    ASSERT_TRUE(StartSim({"--address", "2"}));  // the settings address drive 1
    Start();
    PressConnect();
    ASSERT_TRUE(WaitFor([&] { return boxes.Contains("Not Find Driver! Please Check..."); }));
    EXPECT_EQ(frame->linkPane()->text(), kClosed);
    EXPECT_FALSE(frame->linkStatus().Reconnecting());
}

TEST_F(ReconnectTest, MainWindowAndEveryFrameCarryTheProgramsIcon) {
    Start();
    const QImage own = resources::AppIcon().pixmap(32).toImage();
    ASSERT_FALSE(own.isNull());
    EXPECT_EQ(frame->windowIcon().pixmap(32).toImage(), own);
    global->commMode = 2;
    for (int command : {cmd::ID_COMM_MODE, cmd::ID_POSITION_LOOP, cmd::ID_SDO_LIST}) {
        CChildFrame* page = frame->OpenPage(command);
        ASSERT_NE(page, nullptr) << command;
        EXPECT_EQ(page->windowIcon().pixmap(32).toImage(), own) << command;
    }
    frame->OnCommand(cmd::ID_COMM_SETTINGS);
    EXPECT_EQ(frame->frames().Find(cmd::ID_PAGE_COMM_RS232)->windowIcon().pixmap(32).toImage(),
              own);
}
