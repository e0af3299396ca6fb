// The error history and real-time error pages against the simulated drive.
#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include "drive_sim.h"
#include "maintenance/errorgroup.h"
#include "maintenance/realtimeerror.h"
#include "pages/combolistctrl.h"
#include "pages/rowhelpers.h"

using namespace platform;

namespace {

QString ValueOf(CErrorGroup& page, std::int32_t key) {
    QString type;
    int row = -1;
    FindObjectRow(&page.Grid(), key, type, row);
    return row < 0 ? QStringLiteral("<no row>") : page.Grid().GetItemText(row, grid::Value);
}

class ErrorPagesTest : public DriveSimTest {
protected:
    std::unique_ptr<CErrorGroup> OpenHistory() {
        auto page = std::make_unique<CErrorGroup>(sim.g());
        page->OnInitialUpdate();
        Show(page.get(), {560, 520});
        return page;
    }
    std::unique_ptr<CRealtimeError> OpenRealtime() {
        auto page = std::make_unique<CRealtimeError>(sim.g());
        page->OnInitialUpdate();
        Show(page.get(), {580, 530});
        return page;
    }
};

TEST_F(ErrorPagesTest, HistoryShowsKnownCodesByTheirBitAndOthersAsNumbers) {
    ASSERT_TRUE(StartSim());
    Set(0x261001, 0x2320);
    Set(0x261101, 0x1234);
    auto page = OpenHistory();
    // Rows added while the link is up are read as they are added, beside the page's own read,
    // and any reply moves that read on: it may end before the first row's answer is shown.
    ASSERT_TRUE(WaitUntil([&] {
        return page->readPosition == 0 && !ValueOf(*page, 0x261001).isEmpty() &&
               !ValueOf(*page, 0x261201).isEmpty();
    }));
    EXPECT_EQ(ValueOf(*page, 0x261001), "0080 Short");
    EXPECT_EQ(ValueOf(*page, 0x261101), "4660");
    EXPECT_EQ(ValueOf(*page, 0x261201), "0002 ABN|WDT");  // the drive's own 0x7380
    Shot(page.get(), "history");
}

TEST_F(ErrorPagesTest, HistoryOpenedOfflineReadsWhenTheLinkIsConfirmedAndPassesRefusals) {
    ASSERT_TRUE(StartSim(false, {"--refuse", "261101"}));
    auto page = OpenHistory();
    EXPECT_EQ(page->readPosition, 0);
    ASSERT_GT(page->Grid().GetItemCount(), 4);
    for (int r = 0; r < page->Grid().GetItemCount(); ++r)
        EXPECT_TRUE(page->Grid().GetItemText(r, grid::Value).isEmpty()) << r;
    ASSERT_TRUE(Connect());
    page->OnMessage(WM_PAGE_NOTIFY, 2, 0);
    ASSERT_TRUE(WaitUntil([&] { return page->readPosition == 0; }));
    EXPECT_EQ(ValueOf(*page, 0x261101), "????");
    const int refused = page->Grid().FindRow(0x261101);
    EXPECT_EQ(page->Grid().model()->index(refused, grid::Value).data(Qt::ToolTipRole).toString(),
              "abort 0x08000020: data cannot be transferred or stored to the application");
    EXPECT_EQ(ValueOf(*page, 0x261107), "1722115");  // the row after the refused one
    EXPECT_EQ(ValueOf(*page, 0x261701), "0");
    // Closed, the page stops reading; it starts again when it is brought up.
    page->OnMessage(WM_PAGE_NOTIFY, 1, 0);
    page->OnMessage(WM_PAGE_NOTIFY, 2, 0);
    EXPECT_EQ(page->readPosition, 0);
}

TEST_F(ErrorPagesTest, RealtimeLampsShowTheErrorWordsAndTheirNames) {
    ASSERT_TRUE(StartSim());
    EXPECT_EQ(Tell("raise 1 0"), "ok");
    EXPECT_EQ(Tell("raise 1 5"), "ok");
    auto page = OpenRealtime();
    ASSERT_TRUE(WaitUntil([&] { return page->WordText(0)->text() == "0021"; }));
    EXPECT_EQ(page->WordText(1)->text(), "0000");
    QStringList lit;
    for (int bit = 0; bit < 16; ++bit)
        if (page->Lamp(0, bit)->property("bitSet").toBool())
            lit << page->LampCaption(0, bit)->text();
    EXPECT_EQ(lit, (QStringList{"驱动器内部错误", "驱动器总线电压过高400v"}));
    Shot(page.get(), "realtime");
    // Its watches outlive a close: the words keep coming while the page is hidden.
    page->OnMessage(WM_PAGE_NOTIFY, 1, 0);
    page->hide();
    EXPECT_EQ(Tell("raise 2 3"), "ok");
    EXPECT_TRUE(WaitUntil([&] { return page->WordText(1)->text() == "0008"; }));
    EXPECT_TRUE(page->Lamp(1, 3)->property("bitSet").toBool());
}

TEST_F(ErrorPagesTest, RealtimeBoxWritesTheWholeSwitchWord) {
    ASSERT_TRUE(StartSim());
    auto page = OpenRealtime();
    ASSERT_TRUE(WaitUntil([&] { return page->readStep == 0; }));
    QCheckBox* box = page->SwitchBox(0, 2);
    EXPECT_EQ(box->text(), "0004");
    ASSERT_TRUE(WaitUntil([&] { return page->switchWords[0] == 0xFFFF && box->isChecked(); }));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_TRUE(WaitUntil([&] { return Get(0x260000) == 0xFFFB; }));
    EXPECT_TRUE(WaitUntil([&] { return !box->isChecked(); }));
    // Switch word 2 starts from the drive's 0x1FFF: checking bit 15 keeps the others.
    QCheckBox* top = page->SwitchBox(1, 15);
    ASSERT_TRUE(WaitUntil([&] { return page->switchWords[1] == 0x1FFF; }));
    EXPECT_FALSE(top->isChecked());
    QTest::mouseClick(top, Qt::LeftButton, {}, QPoint(6, top->height() / 2));
    EXPECT_TRUE(WaitUntil([&] { return Get(0x260504) == 0x9FFF; }));
    EXPECT_TRUE(WaitUntil([&] { return top->isChecked(); }));
}

}  // namespace
