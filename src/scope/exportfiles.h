#pragma once
// The other export formats of a capture: comma-separated values, the page as a Windows
// bitmap, and the name an export is written under.
#include <QByteArray>
#include <QString>

#include "scope/sampledecode.h"

class QImage;

namespace exportfiles {

// One line per sample number: each channel's value that has that number, "%.0f," each.
QByteArray Csv(const ChannelSamples& samples);

// A Windows bitmap file of the image at a screen colour depth (1, 4, 8, 24 or 32 bits by the
// depth's range): 14-byte file header, 40-byte information header, colour table for up to
// 8 bits, bottom-up rows padded to 4 bytes.
QByteArray WindowsBitmap(const QImage& image, int screenDepth);

// The name an export writes: the chosen path without its extension, cut at its first "."
// after the first character of the file name (never inside a folder name), plus the
// extension. Empty when the extension is not exactly "csv", "bmp" or "txt".
QString ExportTarget(const QString& chosenPath);

}  // namespace exportfiles
