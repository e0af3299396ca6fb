// Parameter pages against a scripted drive: sequential reads, commits, units, adds, strings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "app/linkstatus.h"
#include "comm/protocol.h"
#include "page_fixture.h"
#include "pages/combolistctrl.h"
#include "pages/gridmenu.h"
#include "pages/inplaceeditors.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"
#include "support/msgbox_capture.h"
#include "support/sdo_record.h"

using namespace keys;

namespace {

const ParamPageConfig& Page(int command) {
    return *FindParamPage(command);
}
constexpr int kPositionLoop = 1215;
constexpr int kDriverProperty = 1234;
constexpr int kMotorConfig = 1229;

constexpr std::int32_t kTravel = 0x210005;  // INTEGER32, in mm through the feed's value
constexpr std::int32_t kFeed = 0x210006;    // UNSIGNED16, referenced by the travel's units

QByteArray ReferenceObjects() {
    return SdoRecord("2100", "05", "行程", "Travel", "INTEGER32", "W", "", "",
                     "[>mm mm]N/[21000620];[mm]N*[21000620]") +
           SdoRecord("2100", "06", "导程", "Feed", "UNSIGNED16", "W");
}

// The main window's part in formula references: the values and refusals of the objects that
// formulas asked for reach the evaluator through the link status, as in the main frame.
class MainWindowLink : public platform::MessageTarget, private LinkStatusHost {
public:
    explicit MainWindowLink(CGlobal& g) : status_(g, *this) { g.mainWindow = Handle(); }
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override {
        if (msg == platform::WM_LINK_VALUE || msg == platform::WM_LINK_ABORT)
            status_.OnLinkReply(msg, static_cast<std::int32_t>(w), static_cast<std::int32_t>(l));
        return 0;
    }

private:
    void SetToolBarImages(int) override {}
    void SetLinkText(const QString&) override {}
    bool LinkPageExists(int) const override { return false; }
    void NotifyLinkPages() override {}
    void NotifyAllPages(int) override {}
    platform::WindowHandle Window() const override { return Handle(); }
    CLinkStatus status_;
};

class PageTest : public ::testing::Test {
protected:
    void TearDown() override {
        CInPlaceEdit::DestroyShared();
        CInPlaceCombo::DestroyShared();
    }
    // Creates the page as the main frame does and shows it.
    std::unique_ptr<CParamPage> Open(int command) {
        auto page = std::make_unique<CParamPage>(f.g(), Page(command));
        page->resize(600, 300);
        page->OnInitialUpdate();
        page->show();
        page->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(page.get()));
        return page;
    }
    // Opened before the link, then brought up by its command once the drive is connected:
    // only the sequential read talks to the drive.
    std::unique_ptr<CParamPage> OpenThenConnect(int command) {
        auto page = Open(command);
        f.Connect();
        page->OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
        return page;
    }
    bool WaitValue(CParamPage& page, int row, const QString& text) {
        return QTest::qWaitFor([&] { return page.Grid().GetItemText(row, 4) == text; }, 5000);
    }
    std::vector<std::int32_t> ReadKeys() {
        std::vector<std::int32_t> out;
        for (const SeenRequest& r : f.Seen(sdo::Read)) out.push_back(r.key);
        return out;
    }
    QPoint CellCentre(CComboListCtrl& grid, int row, int column) {
        QRect r = grid.GetCellRect(row, column);
        return r.center();
    }
    void Click(CComboListCtrl& grid, int row, int column) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
        QApplication::processEvents();
    }
    // Types a value into the row's value cell and commits it with Enter.
    void Commit(CParamPage& page, int row, const QString& text) {
        Click(page.Grid(), row, 4);
        CInPlaceEdit* edit = CInPlaceEdit::Instance();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }

    PageFixture f{ReferenceObjects()};
    MsgBoxCapture boxes;
};

TEST_F(PageTest, RowsAreReadOneAfterAnotherInRowOrder) {
    f.WriteList("PositionLoop", {kSpeed, kGain, kLimit});
    f.drive().Set(kSpeed, 1234);
    f.drive().Set(kGain, 7);
    f.drive().Set(kLimit, -5);
    auto page = OpenThenConnect(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 2, "-5"));
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "123.400");  // rpm: raw / 10
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "7");
    // The link runs the newest request first: only one read at a time keeps this order.
    EXPECT_EQ(ReadKeys(), (std::vector<std::int32_t>{kSpeed, kGain, kLimit}));
    EXPECT_EQ(page->readCursor, 0);
}

TEST_F(PageTest, RefusedReadShowsQuestionMarksAndTheNextRowIsStillRead) {
    f.WriteList("PositionLoop", {kSpeed, kGain, kLimit});
    f.drive().Refuse(kGain);
    f.drive().Set(kLimit, 99);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 2, "99"));
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "????");
}

TEST_F(PageTest, EnterCommitWritesTheConvertedValueAndShowsTheDrivesAnswer) {
    f.WriteList("PositionLoop", {kSpeed, kGain});
    f.drive().Set(kSpeed, 100);
    f.drive().SetLimit(kSpeed, 1000);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 0, "10.000"));
    Click(page->Grid(), 0, 4);
    CInPlaceEdit* edit = CInPlaceEdit::Instance();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "250");  // 250 rpm = raw 2500, the drive keeps at most 1000
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(WaitValue(*page, 0, "100.000"));
    std::vector<SeenRequest> writes = f.Seen(sdo::Write2);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].key, kSpeed);
    EXPECT_EQ(writes[0].data, 2500);
    EXPECT_EQ(f.drive().Get(kSpeed), 1000);
}

TEST_F(PageTest, ChoosingAnotherUnitRereadsAndShowsTheValueInIt) {
    f.WriteList("PositionLoop", {kSpeed});
    f.drive().Set(kSpeed, 1234);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 0, "123.400"));
    size_t readsBefore = ReadKeys().size();
    Click(page->Grid(), 0, 6);
    CInPlaceCombo* combo = CInPlaceCombo::Instance();
    ASSERT_NE(combo, nullptr);
    int index = combo->findText("0.1rpm");
    ASSERT_GE(index, 0);
    combo->setCurrentIndex(index);
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_TRUE(WaitValue(*page, 0, "1234"));
    EXPECT_EQ(page->Grid().GetItemText(0, 6), "0.1rpm");
    EXPECT_EQ(ReadKeys().size(), readsBefore + 1);
}

TEST_F(PageTest, EditsWhileOfflineAreRefusedAndTheCellKeepsItsValue) {
    f.WriteList("PositionLoop", {kGain, kLimit});
    auto page = Open(kPositionLoop);
    EXPECT_EQ(page->readCursor, 2);  // stalled: the offline link dropped the first read
    f.drive().Set(kGain, 7);
    f.drive().Set(kLimit, 3);
    f.Connect();
    page->OnMessage(platform::WM_PAGE_NOTIFY, platform::PN_LINK_CONFIRMED, 0);  // read restarts
    ASSERT_TRUE(WaitValue(*page, 1, "3"));
    f.Disconnect();
    Commit(*page, 0, "5");
    EXPECT_EQ(boxes.Texts(), QStringList{"Comm port isn't Open!"});
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "7");
    EXPECT_TRUE(f.Seen(sdo::Write2).empty());
}

TEST_F(PageTest, ValueOutsideTheObjectsTypeIsNotWrittenAndTheCellIsRestored) {
    f.WriteList("PositionLoop", {kGain, kSpeed});
    f.drive().Set(kGain, 7);
    f.drive().Set(kSpeed, 100);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 1, "10.000"));
    Commit(*page, 0, "99999");  // UNSIGNED16
    EXPECT_EQ(boxes.Texts(), QStringList{"Value out of range: 0 .. 65535 DEC!"});
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "7");
    Commit(*page, 1, "4000");  // raw 40000 for an INTEGER16, shown in rpm as raw / 10
    EXPECT_TRUE(boxes.Contains("Value out of range: -3276.800 .. 3276.700 rpm!"));
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "10.000");
    Commit(*page, 0, "65535");
    ASSERT_TRUE(WaitValue(*page, 0, "65535"));
    std::vector<SeenRequest> writes = f.Seen(sdo::Write2);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].data, 65535);
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(PageTest, ObjectWithoutUnitCellsOffersDecAloneAndKeepsItsUnit) {
    f.WriteList("PositionLoop", {kGain});
    f.drive().Set(kGain, 65);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 0, "65"));
    Click(page->Grid(), 0, 6);
    ASSERT_NE(CInPlaceCombo::Instance(), nullptr);
    EXPECT_EQ(CInPlaceCombo::Instance()->entries, QStringList{"DEC"});
    Click(page->Grid(), 0, 2);  // leaves the list
    QTest::qWait(50);
    EXPECT_EQ(page->Grid().GetItemText(0, 6), "DEC");
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "65");  // a number, never characters
}

TEST_F(PageTest, RowConvertingThroughAnotherObjectIsShownOnceThatValueArrives) {
    MainWindowLink main(f.g());
    f.WriteList("PositionLoop", {kTravel, kGain});
    f.drive().Set(kFeed, 4);
    f.drive().Set(kTravel, 100);
    f.drive().Set(kGain, 7);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 1, "7"));
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "25.000");
}

// One object that cannot be read must not stall the page.
TEST_F(PageTest, RefusedReferenceEndsThatRowAndTheReadGoesOn) {
    MainWindowLink main(f.g());
    f.WriteList("PositionLoop", {kTravel, kGain});
    f.drive().Refuse(kFeed);
    f.drive().Set(kGain, 7);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 1, "7"));
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "????");
    EXPECT_FALSE(f.g().evaluator.HasPending());
}

TEST_F(PageTest, AddingAnObjectAlreadyOnThePageChangesNothing) {
    f.WriteList("PositionLoop", {kSpeed, kGain});
    auto page = Open(kPositionLoop);
    page->OnMessage(platform::WM_ADD_OBJECT, 0, kGain);
    ASSERT_EQ(page->Grid().GetItemCount(), 2);
    page->OnMessage(platform::WM_ADD_OBJECT, 0, kLimit);
    ASSERT_EQ(page->Grid().GetItemCount(), 3);
    EXPECT_EQ(page->Grid().GetItemText(2, 1), QString::number(kLimit));
    EXPECT_EQ(page->Grid().GetItemText(2, 0), "3");
}

TEST_F(PageTest, AddedObjectGoesAboveTheSelectedRow) {
    f.WriteList("PositionLoop", {kSpeed, kGain});
    auto page = Open(kPositionLoop);
    page->Grid().SelectRow(1, true);
    page->OnMessage(platform::WM_ADD_OBJECT, 0, kReadOnly);
    EXPECT_EQ(page->Grid().GetItemText(1, 1), QString::number(kReadOnly));
    EXPECT_EQ(page->Grid().GetItemText(1, 0), "2*");
    EXPECT_EQ(page->Grid().GetItemText(2, 0), "3");
    EXPECT_TRUE(page->Grid().SelectedRows().empty());
}

TEST_F(PageTest, StringFromTheBrowserIsRefusedButFromTheListItIsShownAndSkipped) {
    f.WriteList("PositionLoop", {kGain, kVersion, kLimit});
    f.drive().SetString(kVersion, "V1.2");
    f.drive().Set(kLimit, 42);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_EQ(page->Grid().GetItemCount(), 3);
    EXPECT_EQ(page->Grid().GetItemText(1, 1), QString::number(kVersion));
    // The string's reply cannot be made a number: its cell stays, the read moves on.
    ASSERT_TRUE(WaitValue(*page, 2, "42"));
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "");
    page->OnMessage(platform::WM_ADD_OBJECT, 0, kName);
    EXPECT_EQ(page->Grid().GetItemCount(), 3);
}

TEST_F(PageTest, DriverPropertyReadsStringsInSegments) {
    f.WriteList("DriverProperty", {kName, kVersion, kGain});
    f.drive().SetString(kName, "ServoDrv10");  // 10 characters: 7 + 3
    f.drive().SetString(kVersion, "V1.2.03");  // 7 characters: 7 + an empty segment
    f.drive().Set(kGain, 5);
    auto page = OpenThenConnect(kDriverProperty);
    ASSERT_TRUE(WaitValue(*page, 2, "5"));
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "ServoDrv10");
    EXPECT_EQ(page->Grid().GetItemText(1, 4), "V1.2.03");
    std::vector<std::uint8_t> commands;
    for (const SeenRequest& r : f.Seen()) commands.push_back(r.command);
    const std::vector<std::uint8_t> expected = {0x40, 0x60, 0x70, 0x40, 0x60, 0x70, 0x40};
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(page->Grid().columnWidth(4), 260);
}

TEST_F(PageTest, DeleteRenumbersExceptOnTheMotorConfigPage) {
    f.WriteList("PositionLoop", {kSpeed, kGain, kLimit});
    f.WriteList("MotorConfig", {kSpeed, kGain, kLimit});
    auto loop = Open(kPositionLoop);
    auto motor = Open(kMotorConfig);
    for (CParamPage* page : {loop.get(), motor.get()}) {
        page->Grid().SelectRow(0, true);
        page->OnGridCommand(ID_GRID_DEL);
        ASSERT_EQ(page->Grid().GetItemCount(), 2);
    }
    EXPECT_EQ(loop->Grid().GetItemText(0, 0), "1");
    EXPECT_EQ(loop->Grid().GetItemText(1, 0), "2");
    EXPECT_EQ(motor->Grid().GetItemText(0, 0), "2");
    EXPECT_EQ(motor->Grid().GetItemText(1, 0), "3");
}

TEST_F(PageTest, ClosingStopsTheReadAndReopeningRestartsIt) {
    f.WriteList("PositionLoop", {kGain});
    f.drive().Set(kGain, 1);
    auto page = OpenThenConnect(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 0, "1"));
    page->OnMessage(platform::WM_PAGE_NOTIFY, 1, 0);
    EXPECT_EQ(page->pageActive, 0);
    f.drive().Set(kGain, 2);
    page->OnMessage(platform::WM_PAGE_NOTIFY, 2, 0);  // inactive pages ignore code 2
    QTest::qWait(50);
    EXPECT_EQ(page->Grid().GetItemText(0, 4), "1");
    page->OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
    ASSERT_TRUE(WaitValue(*page, 0, "2"));
    EXPECT_EQ(page->pageActive, 1);
}

TEST_F(PageTest, PageOpenedWhileConnectedShowsItsValues) {
    f.WriteList("PositionLoop", {kGain, kLimit});
    f.drive().Set(kGain, 8);
    f.drive().Set(kLimit, 9);
    f.Connect();
    auto page = Open(kPositionLoop);
    ASSERT_TRUE(WaitValue(*page, 0, "8"));
    ASSERT_TRUE(WaitValue(*page, 1, "9"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->readCursor == 0; }, 5000));
}

TEST_F(PageTest, MissingListFileGivesAnEmptyPageWithoutReads) {
    f.Connect();
    auto page = Open(kPositionLoop);
    EXPECT_EQ(page->Grid().GetItemCount(), 0);
    EXPECT_EQ(page->readCursor, 0);
    QTest::qWait(30);
    EXPECT_TRUE(ReadKeys().empty());
}

}  // namespace
