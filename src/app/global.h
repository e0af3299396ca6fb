#pragma once
// The process-wide settings object: folders, settings file, language, link flags, and the
// owned dictionary, evaluator, control link and unit table. The program constructs one
// instance before its application object; tests construct their own.
#include <QString>
#include <atomic>
#include <cstdint>

#include "comm/ctrllink.h"
#include "dictionary/allsdo.h"
#include "dictionary/formula.h"
#include "dictionary/unit.h"
#include "platform/messages.h"

using platform::WindowHandle;

// Folder paths, formed before the owned objects so the loader thread never sees them change.
struct CFolders {
    explicit CFolders(const QString& base, std::uint8_t dictionaryLanguage = 0);
    QString baseFolder;          // no trailing slash
    QString userFolder;          // base + "/user/"
    QString settingsPath;        // base + "/sys/sys.ini"
    QString englishLibraryPath;  // base + "/data/" + English catalog
    QString databasePath;        // base + "/data/velto.dat"
    // Language the dictionary is loaded in when the caller chooses it (1 Chinese, 2 English);
    // 0 lets the settings file and the system locale decide.
    std::uint8_t forcedLanguage = 0;
    QString DataFolder() const { return baseFolder + "/data/"; }
    QString SysFolder() const { return baseFolder + "/sys/"; }
};

class CGlobal : public CFolders {
public:
    // The base folder is the current directory (the program's rule).
    CGlobal();
    // Tests and tools name the base folder.
    explicit CGlobal(const QString& baseFolder);
    // The command-line tool chooses the dictionary's language itself.
    CGlobal(const QString& baseFolder, std::uint8_t dictionaryLanguage);
    ~CGlobal();
    CGlobal(const CGlobal&) = delete;
    CGlobal& operator=(const CGlobal&) = delete;

    // The live instance (the last one constructed and not yet destroyed).
    static CGlobal* Instance();

    // Settings.
    std::uint8_t ReadLanguage();
    void ReadCommMode();

    // Numeric helpers.
    static int ParseDecimal(const QString& text);
    static int ParseHex(const QString& text);
    static int DataTypeWidth(const QString& typeName);
    static std::uint8_t SdoDownloadCommand(const QString& typeName);
    static int RawToNumber(const QString& typeName, std::uint32_t raw, double& value);

    // Value conversion between raw values and display text (units and formulas).
    int ConvertReadValue(WindowHandle owner, int key, const QString& unitText, double& value,
                         QString& formula, int& handled);
    QString FormatValue(const QString& unitText, const QString& typeName, const QString& formula,
                        double value);
    QString FormatRawValue(const QString& unitText, const QString& typeName, const QString& formula,
                           std::int32_t raw);

    QString columnTitles[3];
    int columnWidths[5] = {0, 0, 0, 0, 0};
    int screenDpi = 0;

    // Written by the dictionary loader, read by the UI thread.
    std::atomic<std::uint8_t> language{0};
    std::uint8_t systemLanguage = 1;
    int commMode = 0;

    std::atomic<WindowHandle> mainWindow{0};
    WindowHandle pickRequester = 0;
    WindowHandle activePage = 0;
    int acquisitionBusy = 0;
    int parameterReadStep = 1;  // the tuner's one-time read chain (1 .. 13, then done)
    int canMarked = 0;

    // Link flags; the control link worker reads them.
    std::atomic<int> online{0};
    std::atomic<int> pollingEnabled{1};
    std::atomic<int> serveHeldQueue{1};
    std::atomic<WindowHandle> priorityWindow{0};
    std::atomic<int> exclusiveMode{0};
    std::atomic<WindowHandle> exclusiveOwner{0};
    std::atomic<int> stopWorker{0};
    std::atomic<int> awaitingDrive{0};

    // Handed over by the link pages after a successful open (read by the reconnect).
    int settingsRemembered = 0;
    QString rememberedPort;
    int rememberedRate = 0;
    std::uint8_t rememberedAddress = 0;
    QString statusText;

    // Owned objects, constructed in this order and destroyed in reverse.
    CAllSdo dictionary;
    CFormula evaluator;
    CCtrlLink link;
    CUnit units;

private:
    void Construct();
};
