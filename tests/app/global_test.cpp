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

TEST(GlobalNumbers, ParseDecimalScansDigitsOnly) {
    EXPECT_EQ(CGlobal::ParseDecimal(""), 0);
    EXPECT_EQ(CGlobal::ParseDecimal("INTEGER32"), 32);
    EXPECT_EQ(CGlobal::ParseDecimal("-12"), -12);
    EXPECT_EQ(CGlobal::ParseDecimal("1-2"), 12);  // only a leading minus counts
    EXPECT_EQ(CGlobal::ParseDecimal("VISIBLE STRING"), 0);
    EXPECT_EQ(CGlobal::ParseDecimal("1a2"), 12);
}

TEST(GlobalNumbers, ParseHexAcceptsBothCases) {
    EXPECT_EQ(CGlobal::ParseHex("ab"), 0xAB);
    EXPECT_EQ(CGlobal::ParseHex("6040"), 0x6040);
    EXPECT_EQ(CGlobal::ParseHex("60fF01"), 0x60FF01);
    EXPECT_EQ(CGlobal::ParseHex("0x1G"), 0x01);  // 'X' and 'G' skipped
    EXPECT_EQ(CGlobal::ParseHex("-10"), -16);
    EXPECT_EQ(CGlobal::ParseHex("    "), 0);
    EXPECT_EQ(CGlobal::ParseHex("FFFFFFFF"), -1);  // wraps like a 32-bit register
}

TEST(GlobalNumbers, WidthAndDownloadCommand) {
    EXPECT_EQ(CGlobal::DataTypeWidth("UNSIGNED16"), 16);
    EXPECT_EQ(CGlobal::DataTypeWidth("INTEGER8"), 8);
    EXPECT_EQ(CGlobal::SdoDownloadCommand("INTEGER8"), 0x2F);
    EXPECT_EQ(CGlobal::SdoDownloadCommand("INTEGER16"), 0x2B);
    EXPECT_EQ(CGlobal::SdoDownloadCommand("UNSIGNED32"), 0x23);
    EXPECT_EQ(CGlobal::SdoDownloadCommand("UNSIGNED64"), 0);
    EXPECT_EQ(CGlobal::SdoDownloadCommand("VISIBLE STRING"), 0);
}

TEST(GlobalNumbers, RawToNumberSignsByTypeAndWidth) {
    double v = 123;
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER16", 0xFFFF, v), 1);
    EXPECT_EQ(v, -1);
    EXPECT_EQ(CGlobal::RawToNumber("UNSIGNED16", 0xFFFF, v), 1);
    EXPECT_EQ(v, 65535);
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER8", 0x80, v), 1);
    EXPECT_EQ(v, -128);
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER8", 0x7F, v), 1);
    EXPECT_EQ(v, 127);
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER32", 0xFFFFFFFE, v), 1);
    EXPECT_EQ(v, -2);
    EXPECT_EQ(CGlobal::RawToNumber("unsigned32", 0xFFFFFFFE, v), 1);
    EXPECT_EQ(v, 4294967294.0);
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER16", 0x12345, v), 1);  // not masked to the width
    EXPECT_EQ(v, 0x12345 - 0x10000);
    v = 7;
    EXPECT_EQ(CGlobal::RawToNumber("", 1, v), 0);
    EXPECT_EQ(CGlobal::RawToNumber("VISIBLE STRING", 1, v), 0);
    EXPECT_EQ(CGlobal::RawToNumber("INTEGER64", 1, v), 0);
    EXPECT_EQ(v, 7);
}
