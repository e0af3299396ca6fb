// The oscilloscope page against the simulated drive: captures, cancel, continuous capture,
// and pictures of a capture in both languages.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "scope/scopechannels.h"
#include "scope/scopeobjects.h"
#include "scope/scopetexts.h"
#include "scope_sim_fixture.h"

namespace {

using scope::Key;

// Velocity (32 bits, pair 3/4) and torque (16 bits, channel 1) at a running motor.
bool SetUpCapture(ScopeSimFixture& f, int count) {
    if (!f.RunMotor(1500)) {
        ADD_FAILURE() << "motor";
        return false;
    }
    if (!f.UseChannel(1, f.NameOf(0x607700)) || !f.UseChannel(3, f.NameOf(0x606C00))) {
        ADD_FAILURE() << "channels; read step " << f.page().readStep;
        return false;
    }
    const CaptureControls& c = f.page().Form().capture;
    ScopeSimFixture::Type(c.period, "16");
    ScopeSimFixture::Type(c.sampleCount, QString::number(count));
    // The newest request runs first: wait until the drive holds the written values.
    auto holds = [&](int sub, std::uint32_t wanted) {
        std::uint32_t v = 0;
        return f.drive().Read(Key(sub), v) && v == wanted;
    };
    const bool written = QTest::qWaitFor(
        [&] { return holds(scope::kSampleCount, count) && holds(scope::kPeriod, 16); }, 5000);
    EXPECT_TRUE(written);
    return written && f.WaitReadDone() && f.page().sampleCount == count;
}

void SavePicture(QWidget& page, const QString& name) {
    const QString dir = qEnvironmentVariable("VELTO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        page.grab().save(QDir(dir).filePath(name));
}

TEST(ScopeSim, CaptureOfA16And32BitChannelDecodesSixByteRecords) {
    ScopeSimFixture f;
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(SetUpCapture(f, 200));
    EXPECT_NE(f.page().Channels().Source16(1), 0u);
    EXPECT_EQ(f.page().Channels().Source16(3), 0u);
    EXPECT_EQ(f.page().Channels().Source32(3), 0x606C0020u);
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    EXPECT_EQ(f.page().Form().capture.start->text(), "Cancel");
    ASSERT_TRUE(f.WaitCaptureDone());
    EXPECT_EQ(f.page().Cycle().Buffer().Used(), 200 * 6);
    ASSERT_EQ(f.page().Graph().Points(1).size(), 200u);
    ASSERT_EQ(f.page().Graph().Points(3).size(), 200u);
    EXPECT_TRUE(f.page().Graph().Points(2).empty());
    // The velocity follows the 1500 rpm target in the drive's own units.
    const double last = f.page().Graph().Points(3).back().value;
    EXPECT_GT(last, 0);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(f.page().Form().capture.start->text(), "Start");
    EXPECT_TRUE(f.page().Form().capture.reread->isEnabled());
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
    EXPECT_EQ(f.g().pollingEnabled.load(), 1);
}

TEST(ScopeSim, CancelWhileWaitingForTheTriggerUploadsNothing) {
    ScopeSimFixture f;
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(SetUpCapture(f, 100));
    // A trigger level the velocity never reaches keeps the drive waiting.
    const TriggerControls& t = f.page().Form().trigger;
    ASSERT_TRUE(ScopeSimFixture::Choose(t.source, f.NameOf(0x606C00)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.level->isEnabled(); }, 5000));
    ScopeSimFixture::Type(t.level, "100000000");
    QTest::qWait(300);
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return f.page().StatusText().startsWith("wait to read data"); }, 5000));
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(f.page().Form().capture.start->text(), "Start");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.page().Form().capture.reread->isEnabled(); }, 3000));
    EXPECT_EQ(f.page().Cycle().Buffer().Used(), 0);
    EXPECT_TRUE(f.page().Graph().Points(1).empty());
    EXPECT_EQ(f.g().acquisitionBusy, 0);
}

TEST(ScopeSim, ContinuousCaptureStartsAgainAfterASecond) {
    ScopeSimFixture f;
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(SetUpCapture(f, 50));
    ScopeSimFixture::Click(f.page().Form().capture.continuous);
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    // Two uploads in a row: the buffer is emptied for the second.
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.page().Graph().Points(1).size() == 50; }, 8000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.page().Cycle().Buffer().Used() == 0; }, 4000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.page().Cycle().Buffer().Used() == 50 * 6; }, 8000));
    EXPECT_FALSE(f.page().Cycle().Stopped());
    EXPECT_EQ(f.page().Form().capture.start->text(), "Cancel");
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    ASSERT_TRUE(f.WaitCaptureDone());
    EXPECT_EQ(f.page().Form().capture.start->text(), "Start");
}

// The progress bar counts the stored bytes of the size the drive announced; a cancel during
// the upload keeps nothing and gives the link back, and re-read fetches the capture again.
TEST(ScopeSim, CancelDuringTheUploadKeepsNothingAndRereadUploadsTheCaptureAgain) {
    ScopeSimFixture f;
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(SetUpCapture(f, 700));  // 4,200 bytes: 600 segments
    const CaptureControls& c = f.page().Form().capture;
    QTest::mouseClick(c.start, Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return c.progress->isVisible() && c.progress->value() > 0; }, 10000));
    EXPECT_EQ(c.progress->maximum(), 700 * 6);
    EXPECT_EQ(c.progress->value() % 7, 0);  // whole segments
    EXPECT_EQ(f.g().serveHeldQueue.load(), 0);
    EXPECT_EQ(f.g().pollingEnabled.load(), 0);
    QTest::mouseClick(c.start, Qt::LeftButton);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(c.start->text(), "Start");
    EXPECT_TRUE(c.reread->isEnabled());
    EXPECT_FALSE(c.progress->isVisible());
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
    EXPECT_EQ(f.g().pollingEnabled.load(), 1);
    EXPECT_EQ(f.g().acquisitionBusy, 0);
    QTest::qWait(300);  // a segment still on its way is not stored
    EXPECT_LT(f.page().Cycle().Buffer().Used(), 700 * 6);
    EXPECT_TRUE(f.page().Graph().Points(1).empty());

    QTest::mouseClick(c.reread, Qt::LeftButton);
    EXPECT_FALSE(c.start->isEnabled());
    ASSERT_TRUE(f.WaitCaptureDone(60000));
    EXPECT_EQ(f.page().Graph().Points(1).size(), 700u);
    EXPECT_EQ(f.page().Graph().Points(3).size(), 700u);
    EXPECT_EQ(c.progress->value(), c.progress->maximum());
    EXPECT_TRUE(c.start->isEnabled());
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
}

// The motor speeds up while the drive records: the trigger fires on the rising velocity.
bool CaptureSpeedStep(ScopeSimFixture& f) {
    const TriggerControls& t = f.page().Form().trigger;
    EXPECT_TRUE(f.RunMotor(0));
    EXPECT_TRUE(ScopeSimFixture::Choose(t.source, f.NameOf(0x606C00)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.level->isEnabled(); }, 5000));
    EXPECT_EQ(t.unit->currentText(), "uu/s");  // the drive's own unit
    ScopeSimFixture::Type(t.level, "1000");
    QTest::qWait(200);
    QTest::mouseClick(f.page().Form().capture.start, Qt::LeftButton);
    QTest::qWait(300);
    return f.drive().Write(0x60FF00, 0x23, 3000) && f.WaitCaptureDone();
}

TEST(ScopeSim, PicturesOfACaptureInBothLanguages) {
    for (int language : {2, 1}) {
        ScopeSimFixture f;
        ASSERT_TRUE(f.Open(language));
        ASSERT_TRUE(SetUpCapture(f, 400));
        ScopeSimFixture::Click(f.page().Form().readouts.mode[2]);
        ASSERT_TRUE(CaptureSpeedStep(f));
        ASSERT_EQ(f.page().Graph().Points(3).size(), 400u);
        EXPECT_EQ(f.page().StatusText(), scopetext::Finish(language));
        EXPECT_FALSE(f.page().Form().readouts.value[0]->text().isEmpty());
        const QImage shot = f.page().grab().toImage();
        // The velocity curve is drawn in channel 3's colour somewhere in the plot.
        bool seen = false;
        for (int y = 20; y < 368 && !seen; ++y)
            for (int x = 10; x < 900 && !seen; ++x)
                seen = shot.pixelColor(x, y) == CMyGraph::kChannelColours[2];
        EXPECT_TRUE(seen) << language;
        SavePicture(f.page(), language == 1 ? "scope_zh.png" : "scope_en.png");
    }
}

}  // namespace
