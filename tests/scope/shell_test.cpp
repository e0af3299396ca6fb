// The oscilloscope in the main frame: its menu and tool-bar commands, its frame, and its entry
// in a saved project.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMdiSubWindow>
#include <QTest>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/global.h"
#include "app/mainframe.h"
#include "app/menubuilder.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "platform/profile.h"
#include "scope/driveroscillo.h"
#include "scope/scopepages.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

TEST(ScopeShell, MenuAndToolBarOpenThePageInAFrameThatShowsIt) {
    MsgBoxCapture boxes;
    TempBase base;
    ASSERT_TRUE(base.CopyFromRuntime("data/velto.dat"));
    ASSERT_TRUE(base.CopyFromRuntime("sys/Oscilloscope.ini"));
    CGlobal g(base.Path());
    g.dictionary.WaitLoaded(10000);
    g.screenDpi = 96;
    if (!CPageRegistry::Instance().FindByCommand(cmd::ID_SCOPE))
        RegisterScopePages(CPageRegistry::Instance(), g);
    CMainFrame frame(g);
    g.mainWindow = frame.Handle();
    frame.resize(1180, 800);
    frame.show();
    EXPECT_TRUE(frame.IsCommandEnabled(cmd::ID_SCOPE));
    EXPECT_TRUE(frame.IsCommandEnabled(cmd::ID_TB_SCOPE));
    ASSERT_NE(frame.menus().Action(cmd::ID_SCOPE), nullptr);
    frame.menus().Action(cmd::ID_SCOPE)->trigger();
    CChildFrame* child = frame.frames().Find(cmd::ID_SCOPE);
    ASSERT_NE(child, nullptr);
    auto* page = qobject_cast<CDriverOscillo*>(child->view());
    ASSERT_NE(page, nullptr);
    // The frame shows the whole page.
    EXPECT_GE(child->widget()->width(), page->minimumWidth());
    EXPECT_GE(child->widget()->height(), page->minimumHeight());
    EXPECT_EQ(page->readStep, 2);  // offline: the first read went nowhere, the sequence waits
    EXPECT_EQ(g.priorityWindow.load(), page->Handle());
    const QString shots = qEnvironmentVariable("VELTO_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        frame.grab().save(QDir(shots).filePath("scope_frame.png"));
    // A saved project places the page under number 18.
    g.dictionary.projectSavePath = base.File("user/p.zpj");
    frame.NotifyAllPages(3);
    const QString entry = platform::GetProfileString(base.File("user/p.zpj"), "VeltoSero:1", "18");
    EXPECT_TRUE(entry.startsWith("1,")) << entry.toStdString();
    // Closing the frame makes the page idle and hides it.
    child->close();
    EXPECT_TRUE(child->isHidden());
    EXPECT_EQ(page->readStep, 0);
    g.stopWorker = 1;
}

}  // namespace
