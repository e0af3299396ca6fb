#pragma once
// The scan's text file: a header of nine ";"-terminated fields, "length N", two lines per point
// for the excitation, a separator line and two lines per point for the response. Every pair
// (x, y) is stored as (x + 2y, y + 2x). Lines end in CR CR LF, as the original program's
// text-mode stream wrote them; any run of CRs before LF is accepted when reading.
#include <QByteArray>
#include <QString>

#include "tuner/scandata.h"

enum class ScanImport {
    Rejected,    // nothing applied (short header, step 0, no point or more than 500, unreadable)
    HeaderOnly,  // the header's settings and values were applied, the point data was not
    Complete,    // everything applied
};

struct CScanImportResult {
    ScanImport outcome = ScanImport::Rejected;
    QString message;  // empty when complete
};

// The file's text; recounts the points from the stored settings first. Empty when the count
// does not fit the arrays.
QByteArray FormatScanFile(CScanData& data);

CScanImportResult ParseScanFile(const QByteArray& text, CScanData& data, int language);

// Writes the file; false with a message in `error`.
bool SaveScanFile(const QString& path, CScanData& data, int language, QString& error);
CScanImportResult LoadScanFile(const QString& path, CScanData& data, int language);
