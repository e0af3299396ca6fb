// Export and import on the oscilloscope page, and the zoom box.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "scope/graphview.h"
#include "scope/scopechannels.h"
#include "scope/scopeobjects.h"
#include "scope/scopetrigger.h"
#include "scope_fake_fixture.h"

namespace {

using namespace fakekeys;
using scope::Key;

class FakeDialogs : public IScopeFileDialogs {
public:
    FakeDialogs(QString exportName, QString importName)
        : export_(std::move(exportName)), import_(std::move(importName)) {}
    QString ChooseExport(QWidget*, const QString&) override { return export_; }
    QString ChooseImport(QWidget*, const QString&) override { return import_; }

private:
    QString export_, import_;
};

// A capture of channel 1 (speed, signed) and channel 3 (velocity, 32 bits) with a trigger.
void CaptureSpeedAndVelocity(ScopeFakeFixture& f) {
    f.drive().Set(Key(1), kSpeed * 256 + 16);
    f.drive().Set(Key(6), kVelocity * 256 + 32);
    f.drive().Set(Key(12), kVelocity * 256 + 32);
    QByteArray buffer;
    for (int i = 0; i < 7; ++i) {
        const std::int16_t speed = std::int16_t(i == 0 ? 12 : -3 * i);
        const std::int32_t velocity = i == 1 ? -2 : 100000 * i;
        buffer.append(reinterpret_cast<const char*>(&speed), 2);
        buffer.append(reinterpret_cast<const char*>(&velocity), 4);
    }
    f.drive().SetBuffer(buffer);
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(f.Capture());
    ASSERT_EQ(f.page().Graph().Points(3).size(), 7u);
}

void Export(ScopeFakeFixture& f, const QString& chosen) {
    f.page().Files().SetDialogs(std::make_unique<FakeDialogs>(chosen, QString()));
    QTest::mouseClick(f.page().Form().capture.exportButton, Qt::LeftButton);
}

void Import(ScopeFakeFixture& f, const QString& chosen) {
    f.page().Files().SetDialogs(std::make_unique<FakeDialogs>(QString(), chosen));
    QTest::mouseClick(f.page().Form().capture.importButton, Qt::LeftButton);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ScopeFiles, ExportedRecordingImportsIntoAnotherPage) {
    ScopeFakeFixture f;
    CaptureSpeedAndVelocity(f);
    Export(f, f.base().File("user/run.2.txt"));
    const QString written = f.base().File("user/run.txt");
    ASSERT_TRUE(QFile::exists(written));
    Export(f, f.base().File("user/run.csv"));
    EXPECT_TRUE(Contents(f.base().File("user/run.csv")).startsWith("12,0,\n-3,-2,\n-6,200000,\n"));
    Export(f, f.base().File("user/page.bmp"));
    EXPECT_TRUE(Contents(f.base().File("user/page.bmp")).startsWith("BM"));

    ScopeFakeFixture other;  // its drive has a manual trigger and no sources
    ASSERT_TRUE(other.Open());
    other.ClearSeen();
    Import(other, written);
    CDriverOscillo& page = other.page();
    for (int k : {1, 3}) {
        ASSERT_EQ(page.Graph().Points(k).size(), 7u) << k;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(page.Graph().Points(k)[i].value, f.page().Graph().Points(k)[i].value);
    }
    EXPECT_TRUE(page.Channels().Ticked(1));
    EXPECT_TRUE(page.Channels().Ticked(3));
    EXPECT_FALSE(page.Channels().Ticked(2));
    EXPECT_EQ(page.Form().channels[2].object->currentText(), "Velocity actual");
    // The stored object key selects its trigger item again.
    EXPECT_EQ(page.Form().trigger.source->currentText(), "Velocity actual");
    EXPECT_TRUE(page.Form().trigger.level->isEnabled());
    EXPECT_EQ(page.samplePeriodText, "1.00ms");
    ASSERT_TRUE(other.WaitQuiet());
    EXPECT_TRUE(other.Seen().empty());  // an import writes nothing to the drive
}

TEST(ScopeFiles, AFileThatIsNoRecordingChangesNothing) {
    ScopeFakeFixture f;
    CaptureSpeedAndVelocity(f);
    MsgBoxCapture boxes;
    f.base().Write("user/notes.txt", "just text\n");
    Import(f, f.base().File("user/notes.txt"));
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(f.page().Graph().Points(3).size(), 7u);
    Export(f, f.base().File("missing/run.csv"));
    EXPECT_TRUE(boxes.Contains("Cannot write " + f.base().File("missing/run.csv") + "!"));
}

TEST(ScopeFiles, ZoomBoxDraggedRightToLeftShowsTheWholeRecord) {
    ScopeFakeFixture f;
    ASSERT_TRUE(f.Open());
    ScopeRecording r;
    r.sampleCount = 200;
    r.samplePeriod = 16;
    r.channels[0] = {true, kSpeed * 256 + 16, 1, 0, 1, 0, true};
    for (int i = 0; i < 200; ++i) r.samples[0].push_back(i % 40);
    f.page().Restore(r);
    CMyGraph& g = f.page().Graph();
    ASSERT_EQ(g.LastOrdinal(), 200);
    QWidget* view = f.page().Form().graphView;
    const QPoint origin = view->pos();
    auto drag = [&](int x1, int x2) {
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(x1, 100) - origin);
        QTest::mouseMove(view, QPoint((x1 + x2) / 2, 120) - origin);
        QTest::mouseMove(view, QPoint(x2, 150) - origin);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(x2, 150) - origin);
        QTest::mouseClick(view, Qt::RightButton, {}, QPoint(x2, 150) - origin);
    };
    drag(300, 600);
    EXPECT_GT(g.FirstOrdinal(), 40);
    EXPECT_LT(g.LastOrdinal(), 130);
    drag(600, 300);
    EXPECT_EQ(g.FirstOrdinal(), 1);
    EXPECT_EQ(g.LastOrdinal(), 200);
    // A right click without a box only drops it.
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(400, 150) - origin);
    EXPECT_EQ(g.LastOrdinal(), 200);
}

}  // namespace
