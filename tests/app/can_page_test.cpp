// CAN link page and the bit-rate table: all nine codes are known, in both directions.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/pageframes.h"
#include "comm/canrates.h"
#include "comm/commcan.h"
#include "shell_fixture.h"

TEST(CanRatesTest, EveryCodeHasItsEntryAndOpenText) {
    EXPECT_EQ(canrates::kRateCount, 9);
    EXPECT_EQ(canrates::IndexOfCode(0x001C), 1);
    EXPECT_EQ(canrates::IndexOfCode(26415), 7);  // 0x672F, 10 KBit/s
    EXPECT_EQ(canrates::IndexOfCode(0x7F7F), 8);
    EXPECT_EQ(canrates::IndexOfCode(28 + 1), -1);
    EXPECT_EQ(canrates::StatusText(0x0014), QStringLiteral("Open 1 MBit/s"));
    EXPECT_EQ(canrates::StatusText(0x672F), QStringLiteral("Open 10 KBit/s"));
    EXPECT_EQ(canrates::StatusText(0x7F7F), QStringLiteral("Open 5 KBit/s"));
    EXPECT_EQ(canrates::StatusText(1234), QStringLiteral("Closed"));
}

TEST(CanVersionLabelTest, TakesTheTextFromTheLastColon) {
    char buffer[256] = {};
    qstrcpy(buffer, "PCAN-USB: driver: 8.15.2");
    EXPECT_EQ(CanVersionLabel(buffer), QStringLiteral("CAN Ver: 8.15.2"));
    char none[256] = {};
    qstrcpy(none, "virtual");
    EXPECT_EQ(CanVersionLabel(none), QStringLiteral("CAN Ver : virtual"));
    char full[256];
    std::memset(full, 'x', sizeof full);  // no terminator: the search stays inside
    EXPECT_EQ(CanVersionLabel(full).size(), QStringLiteral("CAN Ver : ").size() + 256);
}

namespace {

class CanPageTest : public ShellTest {
protected:
    CCommCan* OpenCanPage() {
        global->commMode = 5;
        frame->OnCommand(cmd::ID_COMM_SETTINGS);
        CChildFrame* f = frame->frames().Find(cmd::ID_PAGE_COMM_CAN);
        return f ? static_cast<CCommCan*>(f->view()) : nullptr;
    }
};

}  // namespace

TEST_F(CanPageTest, SavedTenKBitIsSelectedAgainWithItsAddress) {
    SetSetting("can", "buadrate", "26415");
    SetSetting("can", "driverid", "4");
    SetSetting("can", "adapter", "virtualcan:can1");
    StartFrame();
    CCommCan* page = OpenCanPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->rateList()->currentText(), QStringLiteral("10 KBit/s"));
    EXPECT_EQ(page->addressEdit()->text(), QStringLiteral("4"));
    EXPECT_EQ(page->adapterList()->currentText(), QStringLiteral("virtualcan:can1"));
    EXPECT_EQ(Setting("sys", "can"), QStringLiteral("1"));  // the page loaded the component
}

TEST_F(CanPageTest, UnknownCodeLeavesTheListUnselectedAndOffersTheAdapters) {
    SetSetting("can", "buadrate", "99");
    StartFrame();
    CCommCan* page = OpenCanPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->rateList()->currentIndex(), -1);
    EXPECT_EQ(page->rateList()->count(), 9);
    EXPECT_EQ(page->adapterList()->currentText(), canrates::DefaultAdapter());
    EXPECT_NE(page->adapterList()->findText("peakcan:usb0"), -1);
    EXPECT_NE(page->adapterList()->findText("virtualcan:can0"), -1);
    // No rate selected: the toggle does nothing.
    QTest::mouseClick(page->toggleButton(), Qt::LeftButton);
    EXPECT_NE(global->online.load(), 1);
}
