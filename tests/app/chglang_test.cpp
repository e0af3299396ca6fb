// Language switch: the choice goes to [sys] "lang" for the next start.
#include <QPushButton>
#include <QRadioButton>

#include "app/chglang.h"
#include "shell_fixture.h"

namespace {

class ChgLangTest : public ShellTest {
protected:
    void SetUp() override { StartFrame(); }
};

}  // namespace

TEST_F(ChgLangTest, ChineseSystemWritesTheChoice) {
    global->systemLanguage = 1;
    SetSetting("sys", "lang", "2");
    CChgLang dialog(*global);
    EXPECT_TRUE(dialog.englishButton()->isChecked());
    ClickIndicator(dialog.chineseButton());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(Setting("sys", "lang"), QStringLiteral("1"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ChgLangTest, NonChineseSystemStoresEnglishAndRefusesChinese) {
    global->systemLanguage = 2;
    SetSetting("sys", "lang", "1");
    CChgLang dialog(*global);
    EXPECT_EQ(Setting("sys", "lang"), QStringLiteral("2"));  // at opening already
    ClickIndicator(dialog.chineseButton());
    dialog.show();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(
        boxes.Contains("Your computer OS doesn't support the Chinese version. "
                       "\r\n Seting is non-effective!!"));
    EXPECT_TRUE(dialog.englishButton()->isChecked());
    EXPECT_TRUE(dialog.isVisible());  // kept open
    EXPECT_EQ(Setting("sys", "lang"), QStringLiteral("2"));
}

TEST_F(ChgLangTest, UnknownValueChecksNeitherAndOkWritesNothing) {
    global->systemLanguage = 1;
    SetSetting("sys", "lang", "7");
    CChgLang dialog(*global);
    EXPECT_FALSE(dialog.chineseButton()->isChecked());
    EXPECT_FALSE(dialog.englishButton()->isChecked());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(Setting("sys", "lang"), QStringLiteral("7"));
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
}
