// The initialise/save dialog against the simulated drive.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "maint_sim.h"
#include "maintenance/paraminitsave.h"
#include "page_helpers.h"
#include "support/msgbox_capture.h"

using namespace drvdata;

namespace {

class InitSaveDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<CParamInitSave> Open() {
        auto dialog = std::make_unique<CParamInitSave>(sim.g());
        dialog->show();
        return dialog;
    }
    bool WaitEnabled(CParamInitSave& dialog) {
        return QTest::qWaitFor(
            [&] { return dialog.Button(InitSaveButton::StoreMotor)->isEnabled(); }, 10000);
    }
    MsgBoxCapture boxes;
    MaintSim sim;
};

}  // namespace

TEST_F(InitSaveDialogTest, StoreIsConfirmedFromTheDrivesStatus) {
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(sim.Connect());
    sim.g().pollingEnabled = 0;
    auto dialog = Open();
    EXPECT_EQ(sim.g().pollingEnabled, 1);
    EXPECT_EQ(sim.g().exclusiveOwner, dialog->Handle());
    QPushButton* control = dialog->Button(InitSaveButton::StoreControl);
    EXPECT_EQ(control->text(), "Save control parameters");

    sim.Set(0x100D00, 11);
    Click(*dialog, "storeControl");
    EXPECT_FALSE(dialog->findChild<QPushButton*>("restart")->isEnabled());
    ASSERT_TRUE(WaitEnabled(*dialog));
    EXPECT_EQ(control->text(), "Save control parameters OK");
    MaybeShoot(*dialog, "initsave_ok");

    // The drive-saves button disables nothing and changes no caption.
    Click(*dialog, "driveSaves");
    EXPECT_TRUE(dialog->findChild<QPushButton*>("restart")->isEnabled());
    EXPECT_EQ(control->text(), "Save control parameters OK");

    // Initialise: the value goes back to its default, the captions to plain ones.
    Click(*dialog, "initialise");
    EXPECT_EQ(control->text(), "Save control parameters");
    ASSERT_TRUE(WaitEnabled(*dialog));
    EXPECT_EQ(sim.Get(0x100D00), 0);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();

    dialog->reject();
    EXPECT_EQ(sim.g().exclusiveMode, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sim.mainWindow.batchDone == 1; }, 2000));
}

TEST_F(InitSaveDialogTest, ChineseCaptionsAndNoActionWithoutLink) {
    ASSERT_TRUE(sim.Start());
    sim.g().language = 1;
    auto dialog = Open();
    EXPECT_EQ(dialog->Button(InitSaveButton::StoreMotor)->text(),
              QString::fromUtf8("存储电机参数"));
    EXPECT_EQ(dialog->Button(InitSaveButton::Initialise)->text(),
              QString::fromUtf8("初始化控制参数"));
    Click(*dialog, "storeMotor");
    EXPECT_EQ(boxes.Texts(), QStringList{"Comm port isn't Open!"});
    EXPECT_TRUE(dialog->Button(InitSaveButton::StoreMotor)->isEnabled());
}
