// The main frame opens the drive data pages and the initialise/save dialog by their commands.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/mainframe.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "maint_sim.h"
#include "maintenance/exportdrvdata.h"
#include "maintenance/importdrvdata.h"
#include "maintenance/paraminitsave.h"
#include "maintenance/registration.h"
#include "page_helpers.h"
#include "support/msgbox_capture.h"

TEST(MaintenanceFrame, CommandsOpenThePagesWhichTakeTheLinkInTurn) {
    MsgBoxCapture boxes;
    MaintSim sim;
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(sim.Connect());
    CGlobal& g = sim.g();
    QTranslator english;  // the English catalog, as the program loads it
    ASSERT_TRUE(english.load(RuntimeDir() + "/data/EN.qm"));
    QCoreApplication::installTranslator(&english);
    RegisterMaintenancePages(CPageRegistry::Instance(), g);
    CMainFrame frame(g);
    frame.resize(1100, 760);
    frame.show();
    for (int command : {cmd::ID_READ_DRIVE, cmd::ID_WRITE_DRIVE, cmd::ID_INIT_SAVE,
                        cmd::ID_TB_READ_DRIVE, cmd::ID_TB_WRITE_DRIVE})
        EXPECT_TRUE(frame.IsCommandEnabled(command)) << command;

    frame.OnCommand(cmd::ID_TB_READ_DRIVE);
    CChildFrame* exportFrame = frame.frames().Find(cmd::ID_READ_DRIVE);
    ASSERT_NE(exportFrame, nullptr);
    auto* exportPage = qobject_cast<CExportDrvData*>(exportFrame->view());
    ASSERT_NE(exportPage, nullptr);
    EXPECT_EQ(exportFrame->size(), QSize(530, 490));
    EXPECT_EQ(g.exclusiveOwner, exportPage->Handle());
    EXPECT_EQ(exportPage->findChild<QPushButton*>("load")->text(), "Load list");
    EXPECT_EQ(exportPage->CancelButton()->text(), "Cancel");

    frame.OnCommand(cmd::ID_WRITE_DRIVE);
    CChildFrame* importFrame = frame.frames().Find(cmd::ID_WRITE_DRIVE);
    ASSERT_NE(importFrame, nullptr);
    EXPECT_EQ(importFrame->size(), QSize(680, 530));
    EXPECT_EQ(g.exclusiveOwner, importFrame->view()->Handle());

    // Leaving the export page does not take the link from the import page.
    exportFrame->close();
    EXPECT_EQ(g.exclusiveOwner, importFrame->view()->Handle());
    frame.OnCommand(cmd::ID_INIT_SAVE);
    auto* dialog = frame.findChild<CParamInitSave*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(g.exclusiveOwner, dialog->Handle());
    EXPECT_EQ(dialog->windowTitle(), "Parameter Initialise / Save");
    EXPECT_EQ(dialog->findChild<QPushButton*>("driveSaves")->text(), "Drive saves parameters");
    MaybeShoot(frame, "frame_with_pages");
    MaybeShoot(*dialog, "initsave_english");
    dialog->reject();
    EXPECT_EQ(g.exclusiveMode, 0);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    QCoreApplication::removeTranslator(&english);
}
