// Parameter pages against the simulated drive over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "pages/combolistctrl.h"
#include "pages/inplaceeditors.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"
#include "sim_link.h"
#include "support/msgbox_capture.h"

namespace {

QByteArray ListFile(const QString& name, const std::vector<std::int32_t>& keys) {
    QByteArray text = "[" + name.toUtf8() + "]\nnum=" + QByteArray::number(int(keys.size())) + "\n";
    for (size_t i = 0; i < keys.size(); ++i)
        text += QByteArray::number(int(i + 1)) + "=" + QByteArray::number(keys[i], 16) + "\n";
    return text;
}

class SimPageTest : public ::testing::Test {
protected:
    std::unique_ptr<CParamPage> OpenPage(const std::vector<std::int32_t>& keys) {
        sim.base().Write("sys/BasicOperate.ini", ListFile("BasicOperate", keys));
        auto page = std::make_unique<CParamPage>(sim.g(), *FindParamPage(1227));
        page->resize(700, 400);
        page->OnInitialUpdate();  // offline: nothing read yet
        page->show();
        page->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(page.get()));
        EXPECT_TRUE(sim.Connect());
        page->OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
        return page;
    }
    bool WaitRead(CParamPage& page) {
        bool done = QTest::qWaitFor([&] { return page.readCursor == 0; }, 10000);
        if (!done) {
            ADD_FAILURE() << "read stalled at row " << page.readCursor << "; link failures "
                          << sim.mainWindow.linkDown
                          << "; messages: " << boxes.Texts().join(" | ").toStdString();
            for (int r = 0; r < page.Grid().GetItemCount(); ++r)
                ADD_FAILURE() << page.Grid().GetItemText(r, 1).toStdString() << " = "
                              << page.Grid().GetItemText(r, 4).toStdString();
        }
        return done;
    }
    void TearDown() override {
        CInPlaceEdit::DestroyShared();
        CInPlaceCombo::DestroyShared();
    }
    MsgBoxCapture boxes;
    SimLink sim;
};

TEST_F(SimPageTest, EnterCommitWritesAndShowsTheDrivesAnswer) {
    ASSERT_TRUE(sim.Start());
    std::vector<std::int32_t> keys = sim.ReadableKeys(3, true);
    ASSERT_EQ(keys.size(), 3u);
    auto page = OpenPage(keys);
    ASSERT_TRUE(WaitRead(*page));
    CComboListCtrl& grid = page->Grid();
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(grid.GetItemText(r, 4).isEmpty()) << r;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.GetCellRect(1, 4).center());
    CInPlaceEdit* edit = CInPlaceEdit::Instance();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "1");
    QTest::keyClick(edit, Qt::Key_Return);
    grid.SetItemText(1, 4, "");  // what shows next is the drive's answer
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid.GetItemText(1, 4).isEmpty(); }, 5000));
    EXPECT_EQ(grid.GetItemText(1, 4), "1");
    // Read again from the drive: the value was stored.
    page->OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
    grid.SetItemText(1, 4, "");
    ASSERT_TRUE(WaitRead(*page));
    EXPECT_EQ(grid.GetItemText(1, 4), "1");
}

TEST_F(SimPageTest, RefusedReadShowsQuestionMarksWithTheReasonAndTheNextRowIsStillRead) {
    SimLink probe;
    ASSERT_TRUE(probe.Start());
    std::vector<std::int32_t> keys = probe.ReadableKeys(3);
    ASSERT_EQ(keys.size(), 3u);
    ASSERT_TRUE(sim.Start({"--refuse", QString::number(keys[1], 16) + "=06090030"}));
    auto page = OpenPage(keys);
    ASSERT_TRUE(WaitRead(*page));
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "????");
    EXPECT_EQ(page->Grid().model()->index(1, 4).data(Qt::ToolTipRole).toString().toStdString(),
              "abort 0x06090030: value range of parameter exceeded");
    EXPECT_FALSE(page->Grid().GetItemText(2, 4).isEmpty());
    EXPECT_NE(page->Grid().GetItemText(2, 4), "????");
}

}  // namespace
