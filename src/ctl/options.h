#pragma once
// Command line of veltoctl.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

struct CtlOptions {
    QString base;              // base folder; empty: current directory
    int language = 0;          // 1 Chinese, 2 English, 0 as the program decides
    QString serialPath;        // --serial
    int baud = 115200;         // --baud
    QString canAdapter;        // --can PLUGIN:IFACE
    int bitrateCode = 0x0014;  // --bitrate (PCAN code)
    std::optional<int> address;
    QString command;        // objects, describe, read, write, watch, diff, export, ...
    QStringList arguments;  // the command's positional arguments
    QString unit;           // --unit
    QString logPath;        // --log (import)
    int count = 0;          // --count (watch; 0 = until interrupted)
    int intervalMs = 500;   // --interval (watch)
    bool help = false;
    // Options of one command that take a value (scan: --from, --to, --step, --amplitude,
    // --out, --in), by name.
    QHash<QString, QString> values;
};

struct ParseResult {
    bool ok = true;
    QString error;  // for stderr when !ok
};

ParseResult ParseCtlOptions(const QStringList& args, CtlOptions& options);

// Usage texts: the tool's, or one command's.
QString UsageText(const QString& command = QString());
