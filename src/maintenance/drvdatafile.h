#pragma once
// The drive data files: the upload list (.qxo), the data file (.qxi or .txt) and the import's
// result log. Readers take any device so the same code serves files, tests and the fuzzer.
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace drvdata {

// One item code per piece of a line: lines are read the way a 24-character buffer reads
// them, so a line longer than 23 characters gives several rows. Empty lines give code 0.
std::vector<std::uint32_t> ReadUploadList(QIODevice& device);

struct DataFileRow {
    int line = 0;       // number of the line in the file, from 1
    QString code;       // item code text as found
    QString loadValue;  // value text as found; empty when the line has no second ","
};
// The rows an import takes: lines (256-character pieces) with a "," after their first
// character and no "i" after it, so the rows the export marked "Fail" are left out.
std::vector<DataFileRow> ReadDataFile(QIODevice& device);

// Writes text lines ending in "\n" as UTF-8; false when the file cannot be written (nothing
// is left half-written then).
bool WriteLines(const QString& path, const QStringList& lines);

// The path a save dialog's answer stands for: the file name cut at its first "." (a name
// that begins with "." is replaced by `fallbackName` when one is given, else kept), followed
// by `extension`. Dots in folder names are left alone.
QString SaveTarget(const QString& chosen, const QString& extension,
                   const QString& fallbackName = QString());

}  // namespace drvdata
