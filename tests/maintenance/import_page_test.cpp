// The import page against simulated drives: a parameter set copied from one drive to another
// through the data file, verification outcomes, lost replies, saving and restart.
#include <gtest/gtest.h>

#include <QFile>
#include <QProgressBar>

#include "maint_sim.h"
#include "maintenance/exportdrvdata.h"
#include "maintenance/importdrvdata.h"
#include "maintenance/itemcode.h"
#include "page_helpers.h"
#include "support/msgbox_capture.h"

using namespace platform;

namespace {

template <typename Page>
std::unique_ptr<Page> OpenPage(CGlobal& g) {
    auto page = std::make_unique<Page>(g);
    page->resize(680, 530);
    page->show();
    page->OnMessage(WM_PAGE_NOTIFY, 0, 0);
    return page;
}

// Writable numeric parameters of the shipped dictionary that a parameter set carries
// (no commands, targets, capture or scan objects), as upload list lines.
QByteArray ParameterList(CGlobal& g, int count) {
    const int skipped[] = {0x1010, 0x1011, 0x2300, 0x3040, 0x2FF0, 0x2FFF,
                           0x6040, 0x6060, 0x6071, 0x607A, 0x60FF};
    QByteArray list;
    CSdoInfo e;
    for (int p = 0; count > 0 && g.dictionary.GetAt(p, e); ++p) {
        const int width = drvdata::TypeWidth(e.dataType);
        if (!e.attribute.contains('W') || e.attribute.contains('L') ||
            !drvdata::IsTransferWidth(width) ||
            std::count(std::begin(skipped), std::end(skipped), e.index))
            continue;
        list += QByteArray::number(e.key * 256 + width, 16).rightJustified(8, '0') + "\n";
        --count;
    }
    return list;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Exports the list from a drive into `target` through the export page.
void ExportTo(MaintSim& sim, ChooserScript& chooser, const QString& list, const QString& target) {
    auto page = OpenPage<CExportDrvData>(sim.g());
    chooser.answers << list << target;
    Click(*page, "load");
    Click(*page, "read");
    ASSERT_TRUE(WaitPass(*page));
    EXPECT_TRUE(Status(*page).endsWith("Error:0 ")) << Status(*page).toStdString();
    Click(*page, "save");
    page->OnMessage(WM_PAGE_NOTIFY, 1, 0);
}

class ImportPageTest : public ::testing::Test {
protected:
    std::unique_ptr<CImportDrvData> LoadInto(MaintSim& sim, const QByteArray& data) {
        sim.base().Write("user/in.qxi", data);
        auto page = OpenPage<CImportDrvData>(sim.g());
        chooser.answers << sim.base().File("user/in.qxi");
        Click(*page, "load");
        return page;
    }
    MsgBoxCapture boxes;
    ChooserScript chooser;
};

}  // namespace

TEST_F(ImportPageTest, AParameterSetRoundTripsBetweenTwoDrives) {
    MaintSim a, b;
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    ASSERT_TRUE(a.Connect());
    ASSERT_TRUE(b.Connect());
    a.Set(0x607C00, -1);
    a.Set(0x100500, 4294967295);
    a.Set(0x100D00, 7);
    a.Set(MaintSim::kDriveOnlyKey, 0xCAFEBABE);
    const QString list = a.base().File("user/set.qxo");
    a.base().Write("user/set.qxo",
                   "607C0020\n10050020\n100D0008\n2FFE0120\n" + ParameterList(a.g(), 36));
    const QString fromA = a.base().File("user/a.qxi");
    ExportTo(a, chooser, list, fromA);

    auto page = LoadInto(b, ReadAll(fromA));
    ASSERT_EQ(page->List().rowCount(), 40);
    Click(*page, "write");
    ASSERT_TRUE(WaitPass(*page));
    EXPECT_EQ(Status(*page), "Finish: Total:40  Alarm:0  Error:0");
    EXPECT_EQ(Column(page->List(), 4).count("True"), 40);
    EXPECT_EQ(page->List().ItemText(1, 3), "4294967295");
    EXPECT_EQ(page->List().ItemText(3, 3), "0xcafebabe");
    EXPECT_EQ(b.Get(0x100500), 4294967295);
    EXPECT_EQ(b.Get(0x607C00), -1);
    MaybeShoot(*page, "import_round_trip");

    // Drive B now reads back exactly what drive A exported.
    const QString fromB = b.base().File("user/b.qxi");
    b.base().Write("user/set.qxo", ReadAll(list));
    ExportTo(b, chooser, b.base().File("user/set.qxo"), fromB);
    EXPECT_EQ(ReadAll(fromB), ReadAll(fromA));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(ImportPageTest, RefusedWritesFailAndChangedValuesRaiseAnAlarm) {
    MaintSim sim;
    ASSERT_TRUE(sim.Start({"--refuse", "605A00"}));
    ASSERT_TRUE(sim.Connect());
    // 605B:00 takes 0..1: the drive keeps its value and reports it back.
    auto page = LoadInto(sim,
                         "100D0008,7,True\n605A0010,2,True\n605B0010,5,True\n"
                         "607C0020,,True\n10050020,4294967295,True\n");
    Click(*page, "write");
    ASSERT_TRUE(WaitPass(*page));
    CReportList& list = page->List();
    EXPECT_EQ(Column(list, 4), QStringList({"True", "Fail", "Alarm", "Fail", "True"}));
    EXPECT_EQ(list.ItemText(1, 3), "0x8000020");
    EXPECT_EQ(list.ItemText(2, 3), "0");
    EXPECT_EQ(list.ItemText(3, 3), "no load value");
    EXPECT_EQ(list.RowBackground(1), QColor(255, 0, 0));
    EXPECT_EQ(list.RowBackground(2), QColor(255, 255, 0));
    EXPECT_EQ(Status(*page), "Finish: Total:5  Alarm:1  Error:2");
    MaybeShoot(*page, "import_outcomes");

    chooser.answers << sim.base().File("user/result.b.txt");
    Click(*page, "save");
    EXPECT_EQ(Status(*page), "save finished.");
    const QString log = QString::fromUtf8(ReadAll(sim.base().File("user/result.txt")));
    EXPECT_TRUE(log.startsWith("100D0008,7,7,True,Life time factor\n605A0010,2,0x8000020,Fail,"))
        << log.toStdString();

    page->OnMessage(WM_PAGE_NOTIFY, 1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sim.mainWindow.batchDone == 1; }, 2000));
    EXPECT_EQ(sim.g().exclusiveMode, 0);
}

TEST_F(ImportPageTest, ALostReplyNeverPassesItsRow) {
    MaintSim sim;
    // Every third reply is dropped: the write goes out again and every row is still verified.
    ASSERT_TRUE(sim.Start({"--lose-every", "3"}));
    ASSERT_TRUE(sim.Connect());
    QByteArray data;
    for (int v = 1; v <= 12; ++v) data += "100D0008," + QByteArray::number(v) + ",True\n";
    data += "607C0020,-5,True\n";
    auto page = LoadInto(sim, data);
    Click(*page, "write");
    ASSERT_TRUE(WaitPass(*page));
    EXPECT_EQ(Status(*page), "Finish: Total:13  Alarm:0  Error:0");
    EXPECT_EQ(sim.Get(0x607C00), -5);

    // The drive falls silent in the middle of the pass: the link goes down, the row that
    // got no answer fails and the rows after it stay empty.
    sim.Tell("lose-every 0");
    sim.Tell("silent-after 5");
    Click(*page, "write");
    ASSERT_TRUE(WaitPass(*page));
    const QStringList results = Column(page->List(), 4);
    EXPECT_EQ(results.mid(0, 5), QStringList(5, "True"));
    EXPECT_EQ(results[5], "Fail");
    EXPECT_EQ(page->List().ItemText(5, 3), "no reply");
    EXPECT_TRUE(results[6].isEmpty());
    EXPECT_EQ(Status(*page), "Comm link lost: 6 of 13 rows done");
    EXPECT_EQ(page->Progress()->value(), 6);
    EXPECT_GE(sim.mainWindow.linkDown, 1);
    EXPECT_TRUE(page->findChild<QPushButton*>("write")->isEnabled());
}

TEST_F(ImportPageTest, SavedParametersSurviveARestart) {
    MaintSim sim;
    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(sim.Connect());
    auto page = LoadInto(sim, "100D0008,9,True\n");
    Click(*page, "write");
    ASSERT_TRUE(WaitPass(*page));
    Click(*page, "saveParams");
    EXPECT_EQ(Status(*page), "Driver save ...");
    EXPECT_FALSE(page->findChild<QPushButton*>("write")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->Saving(); }, 10000));
    EXPECT_EQ(Status(*page), "finish");
    EXPECT_TRUE(page->findChild<QPushButton*>("saveParams")->isEnabled());

    sim.Set(0x100D00, 3);  // not stored: gone after the restart
    Click(*page, "restart");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.Tell("status").contains("restarting 1"); }, 5000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return sim.Tell("status").contains("restarting 0"); }, 10000));
    EXPECT_EQ(sim.Get(0x100D00), 9);
    EXPECT_EQ(Status(*page), "finish");
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}
