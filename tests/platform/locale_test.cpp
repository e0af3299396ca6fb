#include <gtest/gtest.h>

#include <QByteArray>

#include "platform/locale.h"

using namespace platform;

namespace {
// Restores the locale variables at the end of a test.
struct SavedLocaleEnv {
    const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QByteArray values[3];
    bool set[3];
    SavedLocaleEnv() {
        for (int i = 0; i < 3; ++i) {
            set[i] = qEnvironmentVariableIsSet(names[i]);
            values[i] = qgetenv(names[i]);
        }
    }
    ~SavedLocaleEnv() {
        for (int i = 0; i < 3; ++i) set[i] ? qputenv(names[i], values[i]) : qunsetenv(names[i]);
        OverrideSystemLocale(-1);
    }
};
}  // namespace

TEST(Locale, OnlyMainlandChineseNamesCount) {
    EXPECT_TRUE(LocaleNameIsChinesePrc("zh_CN"));
    EXPECT_TRUE(LocaleNameIsChinesePrc("zh_CN.UTF-8"));
    EXPECT_TRUE(LocaleNameIsChinesePrc("zh_CN.GB2312"));
    EXPECT_FALSE(LocaleNameIsChinesePrc("zh_TW.UTF-8"));
    EXPECT_FALSE(LocaleNameIsChinesePrc("zh_CNX"));
    EXPECT_FALSE(LocaleNameIsChinesePrc("en_US.UTF-8"));
    EXPECT_FALSE(LocaleNameIsChinesePrc("C"));
    EXPECT_FALSE(LocaleNameIsChinesePrc(""));
    EXPECT_FALSE(LocaleNameIsChinesePrc(nullptr));
}

TEST(Locale, FirstSetVariableDecides) {
    SavedLocaleEnv saved;
    OverrideSystemLocale(-1);
    qputenv("LC_ALL", "");
    qputenv("LC_MESSAGES", "en_US.UTF-8");
    qputenv("LANG", "zh_CN.UTF-8");
    EXPECT_FALSE(SystemLocaleIsChinesePrc());
    qputenv("LC_MESSAGES", "");
    EXPECT_TRUE(SystemLocaleIsChinesePrc());
    qputenv("LC_ALL", "C");
    EXPECT_FALSE(SystemLocaleIsChinesePrc());
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qunsetenv("LANG");
    EXPECT_FALSE(SystemLocaleIsChinesePrc());
}

TEST(Locale, OverrideWinsOverTheEnvironment) {
    SavedLocaleEnv saved;
    qputenv("LANG", "en_US.UTF-8");
    OverrideSystemLocale(1);
    EXPECT_TRUE(SystemLocaleIsChinesePrc());
    OverrideSystemLocale(0);
    EXPECT_FALSE(SystemLocaleIsChinesePrc());
    OverrideSystemLocale(-1);
    EXPECT_FALSE(SystemLocaleIsChinesePrc());
}
