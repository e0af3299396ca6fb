#pragma once
// The application's start-up: the language and its catalogs, the message boxes, the page
// registrations and the main frame.
#include <QTranslator>
#include <memory>

class CGlobal;
class CMainFrame;

class CVeltrixApp {
public:
    explicit CVeltrixApp(CGlobal& global);
    ~CVeltrixApp();

    // The start-up sequence. False: the program ends with exitCode().
    bool InitInstance();
    int exitCode() const { return exitCode_; }

    CMainFrame* mainFrame() const { return mainFrame_.get(); }

private:
    int SettleLanguage();
    bool LoadEnglishCatalog();
    void LoadQtCatalog(int language);
    void SetColumns(int language);

    CGlobal& global_;
    QTranslator english_;
    QTranslator qtBase_;
    bool englishInstalled_ = false;
    bool qtBaseInstalled_ = false;
    std::unique_ptr<CMainFrame> mainFrame_;
    int exitCode_ = 0;
};
