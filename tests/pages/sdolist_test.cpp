// The object dictionary browser: file order, sorting, find with wrap-around, description, pick.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "dictionary/sdolist.h"
#include "page_fixture.h"
#include "pages/combolistctrl.h"
#include "support/msgbox_capture.h"

namespace {

struct Requester : platform::MessageTarget {
    std::vector<std::pair<unsigned, std::int64_t>> messages;
    platform::LResult OnMessage(unsigned msg, platform::WParam, platform::LParam l) override {
        messages.emplace_back(msg, l);
        return 1;
    }
};

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.resize(1100, 600);
        browser = new CSdoList(f.g());
        frame = area.addSubWindow(browser);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        browser->OnInitialUpdate();
        area.show();
        frame->show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    }
    QStringList Column(int column) {
        QStringList out;
        for (int r = 0; r < browser->List().GetItemCount(); ++r)
            out << browser->List().GetItemText(r, column);
        return out;
    }
    void Find(const QString& text) {
        browser->SearchBox().setText(text);
        QTest::mouseClick(&browser->FindButton(), Qt::LeftButton);
    }
    int Selected() {
        auto rows = browser->List().SelectedRows();
        return rows.empty() ? -1 : rows.front();
    }
    // The object of the highlighted row, "1008:00" ("" for none).
    std::string SelectedObject() {
        int row = Selected();
        CComboListCtrl& list = browser->List();
        return row < 0 ? std::string()
                       : (list.GetItemText(row, 0) + ":" + list.GetItemText(row, 1)).toStdString();
    }
    // The object the description is about, "1008:00".
    std::string DescribedObject() {
        QString text = browser->Description().toPlainText();
        int index = text.indexOf("Index: 0x"), sub = text.indexOf("Sub Index: 0x");
        if (index < 0 || sub < 0)
            return std::string();
        return (text.mid(index + 9, 4) + ":" + text.mid(sub + 13, 2)).toStdString();
    }
    void ClickRow(int row) {
        CComboListCtrl& list = browser->List();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.GetCellRect(row, 2).center());
    }

    PageFixture f;
    MsgBoxCapture boxes;
    QMdiArea area;
    CSdoList* browser = nullptr;
    QPointer<QMdiSubWindow> frame;
};

TEST_F(BrowserTest, ListsTheDictionaryInFileOrderWithTheFirstDescription) {
    EXPECT_EQ(Column(0), QStringList({"2100", "2100", "2100", "100A", "1008", "2100", "606C"}));
    EXPECT_EQ(Column(1), QStringList({"01", "02", "03", "00", "00", "04", "00"}));
    EXPECT_EQ(browser->List().GetItemText(0, 2), "Speed limit");
    QString text = browser->Description().toPlainText();
    EXPECT_TRUE(text.contains("Index: 0x2100\nSub Index: 0x01\nName: Speed limit"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Attribute: writeable  \nOperator Help:\nspeed help"));
}

TEST_F(BrowserTest, SortsByNameAndBackByIndex) {
    browser->SortBox().setCurrentIndex(1);
    EXPECT_EQ(Column(2), QStringList({"Device name", "Gain", "Limit", "Software version",
                                      "Speed limit", "State", "Velocity actual"}));
    browser->SortRows(1);  // the same mode again does nothing
    EXPECT_EQ(Column(2).front(), "Device name");
    browser->SortBox().setCurrentIndex(0);
    EXPECT_EQ(Column(0), QStringList({"1008", "100A", "2100", "2100", "2100", "2100", "606C"}));
    EXPECT_EQ(Column(1), QStringList({"00", "00", "01", "02", "03", "04", "00"}));
}

TEST_F(BrowserTest, FindNextIgnoresCaseAndWrapsAroundToTheTop) {
    Find("LIMIT");
    EXPECT_EQ(Selected(), 0);  // "Speed limit"
    QTest::mouseClick(&browser->FindButton(), Qt::LeftButton);
    EXPECT_EQ(Selected(), 2);  // "Limit"
    QTest::mouseClick(&browser->FindButton(), Qt::LeftButton);
    EXPECT_EQ(Selected(), 0);  // wrapped
    EXPECT_EQ(boxes.Count(), 0);
    Find("torque");
    EXPECT_TRUE(boxes.Contains("Not Found!!"));
    EXPECT_EQ(Selected(), 0);  // the selection stays
}

TEST_F(BrowserTest, SortingKeepsTheSelectedObjectAndItsDescriptionTogether) {
    ClickRow(3);
    ASSERT_EQ(SelectedObject(), "100A:00");
    EXPECT_EQ(DescribedObject(), "100A:00");
    browser->SortBox().setFocus();
    QTest::keyClick(&browser->SortBox(), Qt::Key_Down);  // by name
    ASSERT_EQ(browser->sortMode, 1);
    EXPECT_EQ(Selected(), 3);  // "Software version" after "Limit"
    EXPECT_EQ(SelectedObject(), "100A:00");
    EXPECT_EQ(DescribedObject(), "100A:00");
    QTest::keyClick(&browser->SortBox(), Qt::Key_Up);  // by index
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(SelectedObject(), "100A:00");
    EXPECT_EQ(DescribedObject(), "100A:00");
    // Another row afterwards shows its own object, also where the old row number was.
    ClickRow(3);
    EXPECT_EQ(SelectedObject(), "2100:02");
    EXPECT_EQ(DescribedObject(), "2100:02");
}

TEST_F(BrowserTest, FindMatchesAnIndexWithOrWithoutItsSubIndex) {
    Find("606c:00");
    EXPECT_EQ(SelectedObject(), "606C:00");
    EXPECT_EQ(DescribedObject(), "606C:00");
    Find("2100");
    EXPECT_EQ(SelectedObject(), "2100:01");
    QTest::mouseClick(&browser->FindButton(), Qt::LeftButton);
    EXPECT_EQ(SelectedObject(), "2100:02");
    EXPECT_EQ(DescribedObject(), "2100:02");

    browser->SortBox().setCurrentIndex(1);  // by name: the matches move
    Find("2100:04");
    EXPECT_EQ(SelectedObject(), "2100:04");
    EXPECT_EQ(DescribedObject(), "2100:04");
    EXPECT_EQ(boxes.Count(), 0);
    Find("6041:00");
    EXPECT_TRUE(boxes.Contains("Not Found!!"));
    EXPECT_EQ(SelectedObject(), "2100:04");
}

TEST_F(BrowserTest, AttributeWordsDescribeReadOnlyAndLiveObjects) {
    browser->List().SelectRow(5, true);
    EXPECT_TRUE(browser->Description().toPlainText().contains("Attribute: only readable"));
    browser->List().DeselectAll();
    browser->List().SelectRow(6, true);
    EXPECT_TRUE(browser->Description().toPlainText().contains("Attribute: real-update\n"));
}

TEST_F(BrowserTest, DoubleClickSendsTheKeyToTheRequesterAndCloses) {
    Requester requester;
    f.g().pickRequester = requester.Handle();
    CComboListCtrl& list = browser->List();
    QPoint p = list.GetCellRect(3, 2).center();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, p);
    QApplication::processEvents();
    ASSERT_EQ(requester.messages.size(), 1u);
    EXPECT_EQ(requester.messages[0].first, unsigned(platform::WM_ADD_OBJECT));
    EXPECT_EQ(requester.messages[0].second, 0x100A00);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.isNull(); }, 2000));
}

}  // namespace
