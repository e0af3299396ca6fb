#pragma once
// The process-wide settings object: folders, settings file, language, link flags, and the
// owned dictionary, evaluator, control link and unit table. It is assembled from parts that
// live below it (folders, link flags, numeric helpers), which the owned objects take by
// reference. The program constructs one instance before its application object; tests and
// the command-line tool construct their own.
#include <QString>
#include <atomic>
#include <cstdint>

#include "comm/ctrllink.h"
#include "comm/linkflags.h"
#include "dictionary/allsdo.h"
#include "dictionary/formula.h"
#include "dictionary/numbers.h"
#include "dictionary/rowvalue.h"
#include "dictionary/sdocommand.h"
#include "dictionary/unit.h"
#include "dictionary/valueconv.h"
#include "platform/folders.h"
#include "platform/messages.h"

using platform::WindowHandle;

// The drive's status word, which the main window watches for the link and fault display.
inline constexpr std::int32_t kStatusWordKey = 0x604100;

class CGlobal : public CFolders, public CLinkFlags, public CNumbers {
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

    // Value conversion between raw values and display text (units and formulas).
    UnitContext Conversions() { return {dictionary, units, evaluator}; }
    int ConvertReadValue(WindowHandle owner, int key, const QString& unitText, double& value,
                         QString& formula, int& handled);
    static QString FormatValue(const QString& unitText, const QString& typeName,
                               const QString& formula, double value);
    static QString FormatRawValue(const QString& unitText, const QString& typeName,
                                  const QString& formula, std::int32_t raw);
    // Converts the value typed into a row and queues its write for `owner`; text that is no
    // number is not written and the row is read again; a value out of range sends nothing.
    RowConversion WriteRowValue(WindowHandle owner, const IValueRow& row);

    QString columnTitles[3];
    int columnWidths[5] = {0, 0, 0, 0, 0};
    int screenDpi = 0;

    // Written by the dictionary loader, read by the UI thread.
    std::atomic<std::uint8_t> language{0};
    std::uint8_t systemLanguage = 1;
    int commMode = 0;  // CComm::Offline, Serial or Can (any other value is offline)

    WindowHandle pickRequester = 0;
    WindowHandle activePage = 0;
    int acquisitionBusy = 0;
    int parameterReadStep = 1;  // the tuner's one-time read chain (1 .. 13, then done)

    // Handed over by the link pages after a successful open (read by the reconnect).
    int settingsRemembered = 0;
    QString rememberedPort;
    int rememberedRate = 0;
    std::uint8_t rememberedAddress = 0;
    QString statusText;
    // 1 while the main window reopens a lost link; a change on a link page ends it.
    int reconnecting = 0;

    // Owned objects, constructed in this order and destroyed in reverse.
    CAllSdo dictionary;
    CFormula evaluator;
    CCtrlLink link;
    CUnit units;

private:
    void Construct();
};
