// Start-up: language, English catalog, column titles and widths.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>

#include "app/global.h"
#include "app/mainframe.h"
#include "app/menubuilder.h"
#include "app/veltrixapp.h"
#include "platform/profile.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

class Locale {
public:
    explicit Locale(const char* value) : saved_(qgetenv("LC_ALL")) { qputenv("LC_ALL", value); }
    ~Locale() { qputenv("LC_ALL", saved_); }

private:
    QByteArray saved_;
};

bool HasCjk(const QString& text) {
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}

struct Startup {
    explicit Startup(const char* lang, bool withCatalog) {
        platform::WriteProfileString(base.File("sys/sys.ini"), "sys", "lang", lang);
        if (withCatalog)
            base.CopyFromRuntime("data/EN.qm");
        global = std::make_unique<CGlobal>(base.Path());
        app = std::make_unique<CVeltrixApp>(*global);
    }
    ~Startup() {
        global->stopWorker = 1;
        app.reset();
        global.reset();
    }
    QStringList MenuTexts() const {
        QStringList texts;
        for (QAction* a : app->mainFrame()->menuBar()->actions()) texts << a->text();
        for (auto& [command, action] : app->mainFrame()->menus().Actions()) texts << action->text();
        return texts;
    }
    MsgBoxCapture boxes;
    TempBase base;
    std::unique_ptr<CGlobal> global;
    std::unique_ptr<CVeltrixApp> app;
};

}  // namespace

TEST(StartupTest, ChineseSystemWithLangOneKeepsTheProgramsOwnTexts) {
    Locale zh("zh_CN.UTF-8");
    Startup s("1", false);  // no catalog needed
    ASSERT_TRUE(s.app->InitInstance());
    EXPECT_EQ(s.global->systemLanguage, 1);
    EXPECT_EQ(s.global->language.load(), 1);
    EXPECT_TRUE(s.MenuTexts().contains(QStringLiteral("文件(&F)")));
    EXPECT_EQ(s.global->columnTitles[0], QStringLiteral("名称"));
    EXPECT_EQ(s.global->columnTitles[2], QStringLiteral("单位"));
    EXPECT_EQ(s.global->mainWindow.load(), s.app->mainFrame()->Handle());
    int dpi = s.global->screenDpi;
    ASSERT_GT(dpi, 0);
    EXPECT_EQ(s.global->columnWidths[0], static_cast<int>(dpi * 2.68));
    EXPECT_EQ(s.global->columnWidths[4], static_cast<int>(dpi * 0.5));
    EXPECT_FALSE(s.boxes.Contains("Load EN.dll resource failure!\n  System exit!\n"));
}

TEST(StartupTest, EnglishCatalogTranslatesEveryMenuText) {
    Locale zh("zh_CN.UTF-8");
    Startup s("2", true);
    ASSERT_TRUE(s.app->InitInstance());
    EXPECT_EQ(s.global->language.load(), 2);
    QStringList texts = s.MenuTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("&File")));
    for (const QString& t : texts) EXPECT_FALSE(HasCjk(t)) << t.toStdString();
    EXPECT_EQ(s.global->columnTitles[1], QStringLiteral("data"));
}

TEST(StartupTest, NonChineseSystemNeedsTheCatalogWhateverLangSays) {
    Locale c("C.UTF-8");
    Startup s("1", true);
    ASSERT_TRUE(s.app->InitInstance());
    s.global->dictionary.WaitLoaded(5000);  // the loader reads "lang" too
    EXPECT_EQ(s.global->systemLanguage, 2);
    EXPECT_EQ(s.global->language.load(), 2);
    EXPECT_EQ(s.global->columnTitles[0], QStringLiteral("name"));
}

TEST(StartupTest, MissingCatalogShowsTheFixedMessageAndEndsWithZero) {
    Locale c("C.UTF-8");
    Startup s("2", false);
    EXPECT_FALSE(s.app->InitInstance());
    EXPECT_EQ(s.app->exitCode(), 0);
    EXPECT_EQ(s.app->mainFrame(), nullptr);
    // (the dictionary loader may add its own note about the empty base folder)
    EXPECT_TRUE(s.boxes.Contains("Load EN.dll resource failure!\n  System exit!\n"));
}

TEST(StartupTest, UnknownLangOnChineseSystemKeepsChineseColumns) {
    Locale zh("zh_CN.UTF-8");
    Startup s("7", false);
    ASSERT_TRUE(s.app->InitInstance());
    EXPECT_EQ(s.global->language.load(), 7);
    EXPECT_EQ(s.global->columnTitles[0], QStringLiteral("名称"));
    EXPECT_GT(s.global->columnWidths[0], 0);
}
