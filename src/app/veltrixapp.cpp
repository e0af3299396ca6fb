#include "app/veltrixapp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>

#include "app/global.h"
#include "app/guimsgbox.h"
#include "app/mainframe.h"
#include "app/pageregistry.h"
#include "comm/commpages.h"
#include "maintenance/errorpages.h"
#include "maintenance/registration.h"
#include "pages/panelpages.h"
#include "pages/registration.h"
#include "pdo/pdopages.h"
#include "platform/locale.h"
#include "platform/msgbox.h"
#include "scope/scopepages.h"
#include "tuner/registration.h"

CVeltrixApp::CVeltrixApp(CGlobal& global) : global_(global) {}

CVeltrixApp::~CVeltrixApp() {
    mainFrame_.reset();
    if (englishInstalled_)
        QCoreApplication::removeTranslator(&english_);
    if (qtBaseInstalled_)
        QCoreApplication::removeTranslator(&qtBase_);
    guimsgbox::Uninstall();
}

bool CVeltrixApp::LoadEnglishCatalog() {
    if (!english_.load(global_.englishLibraryPath)) {
        platform::MessageBox(QStringLiteral("Load EN.dll resource failure!\n  System exit!\n"));
        return false;
    }
    QCoreApplication::installTranslator(&english_);
    englishInstalled_ = true;
    global_.language = 2;
    return true;
}

// The language of the session, or -1 when the English catalog is required but missing.
int CVeltrixApp::SettleLanguage() {
    global_.systemLanguage = platform::SystemLocaleIsChinesePrc() ? 1 : 2;
    if (global_.systemLanguage == 2)
        return LoadEnglishCatalog() ? 2 : -1;
    int lang = global_.ReadLanguage();
    if (lang == 1) {
        global_.language = 1;
        return 1;
    }
    if (lang == 2)
        return LoadEnglishCatalog() ? 2 : -1;
    return lang;  // no catalog: the program's own texts stay
}

void CVeltrixApp::LoadQtCatalog(int language) {
    // Qt's own dialog buttons in the program's language (its source texts are English).
    if (language == 2)
        return;
    QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtBase_.load(QStringLiteral("qtbase_zh_CN"), folder)) {
        QCoreApplication::installTranslator(&qtBase_);
        qtBaseInstalled_ = true;
    }
}

void CVeltrixApp::SetColumns(int language) {
    static const char* const kChinese[] = {"名称", "数据", "单位"};
    static const char* const kEnglish[] = {"name", "data", "unit"};
    for (int i = 0; i < 3; ++i)
        global_.columnTitles[i] = QString::fromUtf8(language == 2 ? kEnglish[i] : kChinese[i]);
    static const double kFactors[] = {2.68, 1.2, 1.1, 2.55, 0.5};
    for (int i = 0; i < 5; ++i)
        global_.columnWidths[i] = static_cast<int>(global_.screenDpi * kFactors[i]);
}

bool CVeltrixApp::InitInstance() {
    guimsgbox::Install();
    int language = SettleLanguage();
    if (language < 0) {
        exitCode_ = 0;
        return false;
    }
    LoadQtCatalog(language);
    RegisterCommPages(global_);
    RegisterParameterPages(CPageRegistry::Instance(), global_);
    RegisterScopePages(CPageRegistry::Instance(), global_);
    RegisterErrorPages(CPageRegistry::Instance(), global_);
    RegisterPanelPages(CPageRegistry::Instance(), global_);
    RegisterPdoPages(CPageRegistry::Instance(), global_);
    RegisterTunerPages(CPageRegistry::Instance(), global_);
    RegisterMaintenancePages(CPageRegistry::Instance(), global_);

    mainFrame_ = std::make_unique<CMainFrame>(global_);
    mainFrame_->resize(1024, 720);
    mainFrame_->showNormal();
    mainFrame_->update();
    global_.mainWindow = mainFrame_->Handle();

    QScreen* screen = mainFrame_->screen();
    global_.screenDpi = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
    // Without a language setting the program's own texts stay: the grid columns follow them.
    SetColumns(language);
    return true;
}
