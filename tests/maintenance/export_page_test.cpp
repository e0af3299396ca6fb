// The export page against the simulated drive: the list's cases, the status, the data file.
#include <gtest/gtest.h>

#include <QFile>
#include <QProgressBar>

#include "maint_sim.h"
#include "maintenance/exportdrvdata.h"
#include "page_helpers.h"
#include "support/msgbox_capture.h"

using namespace platform;

namespace {

class ExportPageTest : public ::testing::Test {
protected:
    std::unique_ptr<CExportDrvData> OpenPage() {
        auto page = std::make_unique<CExportDrvData>(sim.g());
        page->resize(530, 490);
        page->show();
        page->OnMessage(WM_PAGE_NOTIFY, 0, 0);
        return page;
    }
    void LoadList(CExportDrvData& page, const QByteArray& text) {
        sim.base().Write("user/list.qxo", text);
        chooser.answers << sim.base().File("user/list.qxo");
        Click(page, "load");
    }
    MsgBoxCapture boxes;
    ChooserScript chooser;
    MaintSim sim;
};

}  // namespace

TEST_F(ExportPageTest, ReadsEveryListedObjectAndSavesTheDataFile) {
    ASSERT_TRUE(sim.Start({"--refuse", "605A00"}));
    ASSERT_TRUE(sim.Connect());
    sim.Set(0x607100, -1);          // signed 16 bits
    sim.Set(0x100500, 4294967295);  // unsigned 32 bits
    sim.Set(0x607C00, -1);
    auto page = OpenPage();
    EXPECT_EQ(sim.g().exclusiveOwner, page->Handle());
    LoadList(*page,
             "0x60410010\n6041 0010\n2FFE0120\n60710010\n10050020\n605A0010\n5FFF0010\n"
             "607C0020\n60600008\n100D0008\n");
    EXPECT_EQ(chooser.dialogs.at(0).title, "Choosing upload file");
    EXPECT_EQ(Status(*page), "Export data finish.");
    CReportList& list = page->List();
    ASSERT_EQ(list.rowCount(), 10);
    EXPECT_EQ(list.ItemText(1, 1), "60410010");
    EXPECT_EQ(list.ItemText(2, 4), "? ? ? ?");
    EXPECT_EQ(list.ItemText(9, 0), "10");

    Click(*page, "read");
    ASSERT_TRUE(WaitPass(*page));
    const QStringList values = Column(list, 2);
    const QStringList results = Column(list, 3);
    EXPECT_EQ(values[0], values[1]);
    EXPECT_EQ(values[2], "0x12345678");
    EXPECT_EQ(values[3], "-1");
    EXPECT_EQ(values[4], "4294967295");
    EXPECT_EQ(values[5], "0x08000020");  // refused
    EXPECT_EQ(values[6], "0x06020000");  // no such object
    EXPECT_EQ(values[7], "-1");
    EXPECT_EQ(results.count("True"), 8);
    EXPECT_EQ(results[5], "Fail");
    EXPECT_EQ(list.RowBackground(6), QColor(255, 0, 0));
    EXPECT_FALSE(list.RowBackground(7).isValid());
    EXPECT_EQ(Status(*page), "Finish: Total:10  Error:2 ");
    EXPECT_EQ(page->Progress()->value(), 10);
    EXPECT_EQ(sim.g().pollingEnabled, 1);
    MaybeShoot(*page, "export_page");

    chooser.answers << sim.base().File("user/set.b.qxi");
    Click(*page, "save");
    EXPECT_EQ(Status(*page), "save finished.");
    QFile file(sim.base().File("user/set.qxi"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[2], "2FFE0120,0x12345678,True");
    EXPECT_EQ(lines[5], "605A0010,0x08000020,Fail");
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();

    page->OnMessage(WM_PAGE_NOTIFY, 1, 0);
    EXPECT_EQ(sim.g().exclusiveMode, 0);
    EXPECT_EQ(sim.g().exclusiveOwner, 0u);
}

TEST_F(ExportPageTest, CancelStopsAfterTheRunningRequest) {
    ASSERT_TRUE(sim.Start({"--delay", "50"}));
    ASSERT_TRUE(sim.Connect());
    auto page = OpenPage();
    LoadList(*page, QByteArray("60410010\n").repeated(8));
    Click(*page, "read");
    Click(*page, "cancel");
    ASSERT_TRUE(WaitPass(*page));
    EXPECT_EQ(Status(*page), "Cancelled: 1 of 8 rows done");
    EXPECT_EQ(page->List().ItemText(0, 3), "True");
    EXPECT_TRUE(page->List().ItemText(1, 3).isEmpty());
    EXPECT_EQ(page->Progress()->value(), 1);
    MaybeShoot(*page, "export_cancelled");
    EXPECT_FALSE(page->CancelButton()->isEnabled());
    EXPECT_TRUE(page->findChild<QPushButton*>("read")->isEnabled());
}

TEST_F(ExportPageTest, WithoutLinkOrFileNothingIsLost) {
    ASSERT_TRUE(sim.Start());
    auto page = OpenPage();
    LoadList(*page, "60410010\n");
    Click(*page, "read");  // not connected
    EXPECT_TRUE(boxes.Contains("Comm port isn't Open!"));
    EXPECT_EQ(sim.g().pollingEnabled, 0);
    EXPECT_FALSE(page->PassRunning());

    chooser.answers << sim.base().File("user/missing.qxo");
    Click(*page, "load");
    EXPECT_TRUE(boxes.Contains("open file failure!! \n"));
    EXPECT_EQ(page->List().rowCount(), 1);  // the loaded list stays
    Click(*page, "load");                   // cancelled dialog
    EXPECT_EQ(page->List().rowCount(), 1);
}
