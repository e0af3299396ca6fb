#include "maintenance/drvdatafile.h"

#include <QFileInfo>
#include <QSaveFile>

#include "maintenance/itemcode.h"

namespace drvdata {

namespace {

constexpr int kListBuffer = 24;   // the upload list's line buffer
constexpr int kDataBuffer = 256;  // the data file's line buffer

// The pieces a C line buffer of `bufferSize` characters reads in text mode: at most
// bufferSize - 1 characters, or up to and including the line end.
std::vector<QByteArray> Pieces(QIODevice& device, int bufferSize) {
    QByteArray text = device.readAll();
    text.replace("\r\n", "\n");
    std::vector<QByteArray> pieces;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf('\n', at);
        qsizetype length = end < 0 ? text.size() - at : end - at + 1;
        length = std::min<qsizetype>(length, bufferSize - 1);
        pieces.push_back(text.mid(at, length));
        at += length;
    }
    return pieces;
}

}  // namespace

std::vector<std::uint32_t> ReadUploadList(QIODevice& device) {
    std::vector<std::uint32_t> codes;
    for (const QByteArray& piece : Pieces(device, kListBuffer))
        codes.push_back(ParseItemCode(QString::fromLatin1(piece)));
    return codes;
}

std::vector<DataFileRow> ReadDataFile(QIODevice& device) {
    std::vector<DataFileRow> rows;
    int line = 0;
    for (const QByteArray& piece : Pieces(device, kDataBuffer)) {
        ++line;
        if (piece.indexOf('i', 1) >= 0 || piece.indexOf(',', 1) < 0)
            continue;
        const qsizetype first = piece.indexOf(',');
        const qsizetype second = piece.indexOf(',', first + 1);
        DataFileRow row;
        row.line = line;
        row.code = QString::fromUtf8(piece.left(first));
        if (second >= 0)
            row.loadValue = QString::fromUtf8(piece.mid(first + 1, second - first - 1));
        rows.push_back(row);
    }
    return rows;
}

bool WriteLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines) {
        file.write(line.toUtf8());
        file.write("\n");
    }
    return file.commit();
}

QString SaveTarget(const QString& chosen, const QString& extension, const QString& fallbackName) {
    const qsizetype slash = chosen.lastIndexOf(u'/');
    const QString folder = chosen.left(slash + 1);
    QString name = chosen.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    else if (dot == 0 && !fallbackName.isEmpty())
        name = fallbackName;
    return folder + name + extension;
}

}  // namespace drvdata
