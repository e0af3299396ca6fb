// The tuner command of the main frame opens the tuner window at a size that shows it, in
// Chinese and in English.
#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "app/childframe.h"
#include "app/global.h"
#include "app/mainframe.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"
#include "tuner/curvecheckbox.h"
#include "tuner/registration.h"
#include "tuner/tiddlg.h"
#include "tuner/tidtuner.h"

namespace {

// The page registry lives for the process: both tests share one settings object.
class TunerMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        MsgBoxCapture quiet;  // what the loader says about the test's base folder
        base = new TempBase;
        base->CopyFromRuntime("data/velto.dat");
        base->CopyFromRuntime("nzsim.so");
        global = new CGlobal(base->Path());
        global->dictionary.WaitLoaded(5000);
        global->screenDpi = 96;
        RegisterTunerPages(CPageRegistry::Instance(), *global);
    }
    static void TearDownTestSuite() {
        global->stopWorker = 1;
        delete global;
        delete base;
    }
    void StartFrame(int language) {
        global->language = language;
        frame = std::make_unique<CMainFrame>(*global);
        global->mainWindow = frame->Handle();
        frame->resize(1280, 900);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    CTIDtuner* OpenTuner() {
        EXPECT_TRUE(frame->IsCommandEnabled(32838));
        frame->OnCommand(32838);
        CChildFrame* child = frame->frames().Find(32838);
        return child ? qobject_cast<CTIDtuner*>(child->view()) : nullptr;
    }
    void Shot(const QString& name) {
        QByteArray folder = qgetenv("TUNER_SHOTS");
        if (!folder.isEmpty())
            frame->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
    }
    void TearDown() override { frame.reset(); }

    MsgBoxCapture boxes;
    static TempBase* base;
    static CGlobal* global;
    std::unique_ptr<CMainFrame> frame;
};
TempBase* TunerMenuTest::base = nullptr;
CGlobal* TunerMenuTest::global = nullptr;

}  // namespace

TEST_F(TunerMenuTest, CommandOpensTheTunerShowingItsContent) {
    StartFrame(1);
    CTIDtuner* tuner = OpenTuner();
    ASSERT_NE(tuner, nullptr);
    QTest::qWait(50);
    const QSize need = tuner->Dialog().minimumSize();
    EXPECT_GE(tuner->width(), need.width());
    EXPECT_GE(tuner->height(), need.height());
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(tuner->findChild<QCheckBox*>("1252")->text(), "负载与电机");
    Shot("tuner_menu_zh");
    // Closing hides the window and clears the busy flag; the command brings it back.
    global->acquisitionBusy = 1;
    frame->frames().Find(32838)->close();
    EXPECT_EQ(global->acquisitionBusy, 0);
    EXPECT_EQ(OpenTuner(), tuner);
}

TEST_F(TunerMenuTest, EnglishCaptionsFromTheCatalog) {
    QTranslator english;
    ASSERT_TRUE(english.load(RuntimeDir() + "/data/EN.qm"));
    QCoreApplication::installTranslator(&english);
    StartFrame(2);
    CTIDtuner* tuner = OpenTuner();
    ASSERT_NE(tuner, nullptr);
    EXPECT_EQ(tuner->findChild<QCheckBox*>("1252")->text(), "Load & Motor");
    EXPECT_EQ(tuner->findChild<QPushButton*>("1233")->text(), "Start");
    QTest::qWait(50);
    Shot("tuner_menu_en");
    QCoreApplication::removeTranslator(&english);
}
