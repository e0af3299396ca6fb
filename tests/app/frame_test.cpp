// Main frame: page frames, commands, tool bar, close-all, notifications, placing pages.
#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>

#include "app/childframe.h"
#include "app/clientwnd.h"
#include "app/commands.h"
#include "app/maintoolbar.h"
#include "app/menubuilder.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "app/pageview.h"
#include "comm/commmode.h"
#include "resources/bitmaps.h"
#include "shell_fixture.h"

using namespace platform;

namespace {

// Notifications every test page saw, as "command:code", in arrival order.
QStringList g_notes;

class RecordingPage : public CPageView {
public:
    explicit RecordingPage(int command) : command_(command) {}
    LResult OnMessage(unsigned msg, WParam w, LParam) override {
        if (msg == WM_PAGE_NOTIFY)
            g_notes << QStringLiteral("%1:%2").arg(command_).arg(w);
        return 0;
    }

private:
    int command_;
};

void RegisterTestPage(int command, bool closedWithAll = true) {
    PageKind kind;
    kind.command = command;
    kind.titleId = 132;
    kind.size96 = QSize(320, 240);
    kind.sizeOther = QSize(320, 240);
    kind.closedWithAll = closedWithAll;
    kind.create = [command] { return new RecordingPage(command); };
    CPageRegistry::Instance().Add(kind);
}

class FrameTest : public ShellTest {
protected:
    void SetUp() override {
        g_notes.clear();
        RegisterTestPage(cmd::ID_POSITION_LOOP);
        RegisterTestPage(cmd::ID_SPEED_LOOP);
        RegisterTestPage(cmd::ID_PDO_OTHER, false);  // PDO list pages stay on close-all
        StartFrame();
        frame->UpdateCommandStates();
    }
    bool Visible(int command) {
        CChildFrame* f = frame->frames().Find(command);
        return f && f->isVisible();
    }
};

}  // namespace

TEST_F(FrameTest, OpeningTwiceShowsTheSameFrameAndNotifiesIt) {
    CChildFrame* first = frame->OpenPage(cmd::ID_POSITION_LOOP);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("位置环"));
    EXPECT_EQ(first->size(), QSize(320, 240));
    EXPECT_EQ(first->pos(), QPoint(50, 20));
    EXPECT_TRUE(g_notes.isEmpty());  // a new page is not told it was brought up

    first->close();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(g_notes, QStringList{"1215:1"});  // closing hides and says so

    EXPECT_EQ(frame->OpenPage(cmd::ID_POSITION_LOOP), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(g_notes.last(), QStringLiteral("1215:0"));
}

TEST_F(FrameTest, UnregisteredPagesAreDisabledRegisteredOnesEnabled) {
    // Areas register their pages as they land: every page command of the menu is enabled
    // exactly when a page is registered for it, and an unregistered one runs nothing.
    for (const auto& [command, action] : frame->menus().Actions()) {
        if (PageOrder(command) >= 1000 || command == cmd::ID_COMM_MODE)
            continue;
        const bool registered = CPageRegistry::Instance().FindByCommand(command) != nullptr;
        EXPECT_EQ(action->isEnabled(), registered) << command;
        if (!registered) {
            frame->OnCommand(command);
            EXPECT_EQ(frame->frames().Find(command), nullptr) << command;
        }
    }
    EXPECT_TRUE(frame->menus().Action(cmd::ID_POSITION_LOOP)->isEnabled());
    EXPECT_TRUE(frame->menus().Action(cmd::ID_FILE_OPEN)->isEnabled());  // project files
    EXPECT_TRUE(frame->menus().Action(cmd::ID_COMM_MODE)->isEnabled());
    EXPECT_TRUE(frame->menus().Action(cmd::ID_LANGUAGE)->isEnabled());
    // Tool-bar buttons follow the command they stand for.
    EXPECT_EQ(frame->toolBar()->Action(cmd::ID_TB_SCOPE)->isEnabled(),
              CPageRegistry::Instance().FindByCommand(cmd::ID_SCOPE) != nullptr);
    EXPECT_TRUE(frame->toolBar()->Action(cmd::ID_TB_CONNECT)->isEnabled());
}

TEST_F(FrameTest, NewHidesEveryPageButThePdoListsAndShowsTheModePage) {
    frame->OpenPage(cmd::ID_POSITION_LOOP);
    frame->OpenPage(cmd::ID_PDO_OTHER);
    global->commMode = 2;
    frame->OnCommand(cmd::ID_COMM_SETTINGS);
    ASSERT_TRUE(Visible(cmd::ID_PAGE_COMM_RS232));
    g_notes.clear();

    frame->OnCommand(cmd::ID_FILE_NEW);
    EXPECT_FALSE(Visible(cmd::ID_POSITION_LOOP));
    EXPECT_FALSE(Visible(cmd::ID_PAGE_COMM_RS232));  // link pages too
    EXPECT_TRUE(Visible(cmd::ID_PDO_OTHER));
    EXPECT_TRUE(Visible(cmd::ID_COMM_MODE));
    EXPECT_EQ(g_notes, QStringList{"1215:1"});  // link pages are hidden without a notice
}

TEST_F(FrameTest, ClosingTheModePageDestroysIt) {
    CChildFrame* mode = frame->OpenPage(cmd::ID_COMM_MODE);
    ASSERT_NE(mode, nullptr);
    QPointer<CChildFrame> watch(mode);
    mode->close();
    EXPECT_EQ(frame->frames().Find(cmd::ID_COMM_MODE), nullptr);
    EXPECT_TRUE(WaitFor([&] { return watch.isNull(); }));
    CChildFrame* again = frame->OpenPage(cmd::ID_COMM_MODE);
    EXPECT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
}

TEST_F(FrameTest, NotifyAllFollowsTheFixedOrderNotTheOpeningOrder) {
    frame->OpenPage(cmd::ID_PDO_OTHER);
    frame->OpenPage(cmd::ID_SPEED_LOOP);
    frame->OpenPage(cmd::ID_POSITION_LOOP);
    g_notes.clear();
    SendMessage(frame->Handle(), WM_BATCH_DONE, 0, 0);
    EXPECT_EQ(g_notes, (QStringList{"1215:2", "1217:2", "1255:2"}));
}

TEST_F(FrameTest, PlacePageMovesKeepsTheSizeShowsAndNotifies) {
    CChildFrame* page = frame->OpenPage(cmd::ID_SPEED_LOOP);
    page->close();
    g_notes.clear();
    SendMessage(page->Handle(), WM_PLACE_PAGE, 200, 120);
    EXPECT_EQ(page->pos(), QPoint(200, 120));
    EXPECT_EQ(page->size(), QSize(320, 240));
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(g_notes, QStringList{"1217:0"});
}

TEST_F(FrameTest, LinkPageFollowsTheModeAndOfflineSaysSo) {
    global->commMode = 1;
    frame->OnCommand(cmd::ID_COMM_SETTINGS);
    frame->OnCommand(cmd::ID_TB_CONNECT);
    EXPECT_EQ(boxes.Texts(), (QStringList{"The connecting mode is Offline!!",
                                          "The connecting mode is Offline!!"}));
    global->commMode = 2;
    SendMessage(frame->Handle(), WM_LINK_PAGE, 0, 0);
    EXPECT_TRUE(Visible(cmd::ID_PAGE_COMM_RS232));
    CChildFrame* serial = frame->frames().Find(cmd::ID_PAGE_COMM_RS232);
    EXPECT_EQ(serial->size(), QSize(300, 260));
    serial->close();  // hidden, kept
    EXPECT_EQ(frame->frames().Find(cmd::ID_PAGE_COMM_RS232), serial);
}

TEST_F(FrameTest, ToolBarHasThirteenPositionsAndStartsClosed) {
    QList<QAction*> actions = frame->toolBar()->actions();
    ASSERT_EQ(actions.size(), 13);
    int separators = 0;
    for (QAction* a : actions) separators += a->isSeparator();
    EXPECT_EQ(separators, 3);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->data().toInt(), cmd::ID_TB_CONNECT);
    EXPECT_EQ(frame->toolBar()->imageSet(), resources::IDB_TOOLBAR_CLOSED);
    EXPECT_EQ(frame->linkPane()->text(), QStringLiteral("Comm Status: Closed"));
    EXPECT_EQ(frame->linkPane()->objectName(), QStringLiteral("0xE704"));
    // The main window watches the status word.
    EXPECT_EQ(global->link.FindWatch(frame->Handle(), 0x604100), 1);
}

TEST_F(FrameTest, ToolBarImagesAreTwentyFiveSquareAndDifferBySet) {
    using namespace resources;
    QImage closed = ToolBarImage(IDB_TOOLBAR_CLOSED, 2).toImage();
    QImage open = ToolBarImage(IDB_TOOLBAR_OPEN, 2).toImage();
    QImage fault = ToolBarImage(IDB_TOOLBAR_FAULT, 2).toImage();
    EXPECT_EQ(closed.size(), QSize(25, 25));
    EXPECT_NE(closed, open);
    EXPECT_NE(open, fault);
    EXPECT_TRUE(ToolBarImage(206, 0).isNull());
}

TEST_F(FrameTest, ClosingTheMainWindowStopsTheWorker) {
    frame->close();
    EXPECT_EQ(global->stopWorker.load(), 1);
}

TEST_F(FrameTest, CascadeAndTileArrangeTheShownFrames) {
    CChildFrame* a = frame->OpenPage(cmd::ID_POSITION_LOOP);
    CChildFrame* b = frame->OpenPage(cmd::ID_SPEED_LOOP);
    frame->OnCommand(cmd::ID_TB_CASCADE);
    EXPECT_NE(a->pos(), b->pos());
    frame->OnCommand(cmd::ID_TB_TILE);
    EXPECT_NE(a->geometry(), b->geometry());
    EXPECT_FALSE(a->geometry().intersects(b->geometry()));
}
