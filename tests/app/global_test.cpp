#include <gtest/gtest.h>

#include <QDir>

#include "app/global.h"
#include "platform/profile.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {
// Restores the current directory at the end of a test.
struct CurrentDirGuard {
    QString saved = QDir::currentPath();
    ~CurrentDirGuard() { QDir::setCurrent(saved); }
};

QString Setting(const TempBase& base, const QString& section, const QString& key) {
    return platform::GetProfileString(base.File("sys/sys.ini"), section, key, "<none>");
}
}  // namespace

TEST(GlobalFolders, BaseFolderIsTheCurrentDirectory) {
    MsgBoxCapture boxes;
    TempBase base;
    CurrentDirGuard guard;
    ASSERT_TRUE(QDir::setCurrent(base.Path()));
    CGlobal global;
    const QString root = QDir::currentPath();
    EXPECT_EQ(global.baseFolder, root);
    EXPECT_EQ(global.userFolder, root + "/user/");
    EXPECT_EQ(global.settingsPath, root + "/sys/sys.ini");
    EXPECT_EQ(global.databasePath, root + "/data/velto.dat");
    EXPECT_EQ(global.englishLibraryPath, root + "/data/EN.qm");
    EXPECT_EQ(global.DataFolder(), root + "/data/");
    EXPECT_EQ(global.SysFolder(), root + "/sys/");
    EXPECT_EQ(CGlobal::Instance(), &global);
}

TEST(GlobalSettings, LanguageAndCommModeAreReadAtConstruction) {
    MsgBoxCapture boxes;
    TempBase base;
    base.Write("sys/sys.ini", "[SYS]\nLang=2\ncomm=5\n");
    CGlobal global(base.Path());
    EXPECT_EQ(global.language.load(), 2);
    EXPECT_EQ(global.commMode, 5);
}

TEST(GlobalSettings, MissingOrNonNumericSettingsReadAsZero) {
    MsgBoxCapture boxes;
    TempBase base;
    {
        CGlobal global(base.Path());  // no settings file at all
        EXPECT_EQ(global.ReadLanguage(), 0);
        EXPECT_EQ(global.commMode, 0);
    }
    base.Write("sys/sys.ini", "[sys]\nlang=abc\ncomm=x5\n");
    CGlobal global(base.Path());
    EXPECT_EQ(global.ReadLanguage(), 0);
    EXPECT_EQ(global.commMode, 0);
}

TEST(GlobalSettings, ValuesAreReadWithAFourCharacterBufferAndKeepTheLowByte) {
    MsgBoxCapture boxes;
    TempBase base;
    base.Write("sys/sys.ini", "[sys]\nlang=1234\ncomm=261\n");
    CGlobal global(base.Path());
    EXPECT_EQ(global.ReadLanguage(), 123);  // "123" of "1234"
    EXPECT_EQ(global.commMode, 5);          // 261 & 0xFF
}

TEST(GlobalSettings, DestructionClearsTheCanMarkOnlyWhenSet) {
    MsgBoxCapture boxes;
    TempBase base;
    base.Write("sys/sys.ini", "[sys]\nlang=1\ncan=1\n");
    { CGlobal global(base.Path()); }
    EXPECT_EQ(Setting(base, "sys", "can"), "1");
    {
        CGlobal global(base.Path());
        global.canMarked = 1;
    }
    EXPECT_EQ(Setting(base, "sys", "can"), "0");
    EXPECT_EQ(Setting(base, "sys", "lang"), "1");
}
