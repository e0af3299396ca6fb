#include "tuner/scanfile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <cstdint>
#include <optional>

#include "dictionary/numberscan.h"
#include "tuner/tunertexts.h"

using tunertext::Text;

namespace {

constexpr char kEol[] = "\r\r\n";
constexpr char kSeparator[] = "##########";
constexpr int kHeaderFields = 9;

std::int64_t ReadInt64(const QByteArray& line) {
    std::int64_t value = 0;
    numberscan::LeadingInteger(QString::fromLatin1(line), value);
    return value;
}

int ReadInt(const QByteArray& line) {
    return numberscan::CDecimal(QString::fromLatin1(line));
}

double ReadDouble(const QByteArray& line) {
    double value = 0;
    numberscan::LeadingDecimal(QString::fromLatin1(line), value);
    return value;
}

// (2 x partner - own) / 3, the inverse of the (x + 2y, y + 2x) storage, kept to 32 bits.
std::int32_t Decode(std::int64_t own, std::int64_t partner) {
    __int128 value = (__int128(partner) * 2 - own) / 3;
    return static_cast<std::int32_t>(value);
}

QList<QByteArray> Lines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        while (line.endsWith('\r')) line.chop(1);
    return lines;
}

QList<QByteArray> Fields(const QByteArray& line, char separator) {
    QList<QByteArray> fields;
    for (const QByteArray& piece : line.split(separator))
        if (!piece.isEmpty())
            fields << piece;
    return fields;
}

void ApplyHeader(const QList<QByteArray>& f, CScanData& data) {
    data.scanFrom = ReadInt(f[0]);
    data.scanEnd = ReadInt(f[1]);
    data.scanStep = ReadInt(f[2]);
    data.velocityGain = static_cast<float>(ReadInt(f[3]));
    data.excitationAmplitude = ReadInt(f[4]);
    data.rotorInertia = ReadInt(f[5]);
    data.maxCurrent = ReadInt(f[6]);
    data.velocityIntegral = static_cast<float>(ReadDouble(f[7]));
    data.scaleExponent = ReadInt(f[8]);
    data.RecountPoints();
}

// The header is refused before anything is applied when the arrays could not hold it.
std::optional<tunertext::Id> HeaderProblem(const QList<QByteArray>& f) {
    if (f.size() < kHeaderFields)
        return tunertext::ImportShortHeader;
    int from = ReadInt(f[0]), end = ReadInt(f[1]), step = ReadInt(f[2]);
    if (step == 0)
        return tunertext::ImportZeroStep;
    const int count = CScanData::PointCount(from, end, step);
    if (count > kScanCapacity)
        return tunertext::ImportTooManyPoints;
    if (count < 1)
        return tunertext::ImportNoPoint;
    return std::nullopt;
}

// Reads the point lines after the length line into `data`; false when the file ends early.
bool ReadPoints(const QList<QByteArray>& lines, qsizetype at, CScanData& data) {
    const int n = data.pointCount;
    if (n <= 0)
        return true;
    if (lines.size() - at < qsizetype(n) * 4 + 1)
        return false;
    for (int i = 0; i < n; ++i) {
        std::int64_t u = ReadInt64(lines[at++]), v = ReadInt64(lines[at++]);
        data.excitationIm[i] = Decode(v, u);
        data.excitationRe[i] = Decode(u, v);
    }
    ++at;  // the separator
    for (int j = 0; j < 2 * n; j += 2) {
        std::int64_t u0 = ReadInt64(lines[at++]), u1 = ReadInt64(lines[at++]);
        data.responseRaw[j] = Decode(u0, u1);
        data.responseRaw[j + 1] = Decode(u1, u0);
    }
    return true;
}

}  // namespace

QByteArray FormatScanFile(CScanData& d) {
    d.RecountPoints();
    if (!d.CountFits())
        return {};
    QByteArray out =
        QString::asprintf("%d;%d;%d;%0.2f;%d;%d;%d;%0.2f;%d;", d.scanFrom, d.scanEnd, d.scanStep,
                          double(d.velocityGain), d.excitationAmplitude, d.rotorInertia,
                          d.maxCurrent, double(d.velocityIntegral), d.scaleExponent)
            .toLatin1();
    out += kEol;
    out += "length " + QByteArray::number(d.pointCount) + kEol;
    for (int i = 0; i < d.pointCount; ++i) {
        std::int64_t re = d.excitationRe[i], im = d.excitationIm[i];
        out += QByteArray::number(re + 2 * im) + kEol;
        out += QByteArray::number(im + 2 * re) + kEol;
    }
    out += QByteArray(kSeparator) + kEol;
    for (int j = 0; j < 2 * d.pointCount; ++j) {
        std::int64_t own = d.responseRaw[j];
        std::int64_t partner = d.responseRaw[j % 2 == 0 ? j + 1 : j - 1];
        out += QByteArray::number(own + 2 * partner) + kEol;
    }
    return out;
}

CScanImportResult ParseScanFile(const QByteArray& text, CScanData& data, int language) {
    QList<QByteArray> lines = Lines(text);
    QList<QByteArray> header = Fields(lines.value(0), ';');
    if (std::optional<tunertext::Id> problem = HeaderProblem(header))
        return {ScanImport::Rejected, Text(*problem, language)};
    ApplyHeader(header, data);
    QList<QByteArray> length = Fields(lines.value(1), ' ');
    if (length.size() != 2 || ReadInt(length[1]) != data.pointCount)
        return {ScanImport::HeaderOnly, Text(tunertext::ImportLengthMismatch, language)};
    CScanData points = data;
    if (!ReadPoints(lines, 2, points))
        return {ScanImport::HeaderOnly, Text(tunertext::ImportTruncated, language)};
    data = points;
    return {ScanImport::Complete, QString()};
}

bool SaveScanFile(const QString& path, CScanData& data, int language, QString& error) {
    QByteArray text = FormatScanFile(data);
    QSaveFile file(path);
    if (text.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
        !file.commit()) {
        error = Text(tunertext::FileUnwritable, language);
        return false;
    }
    return true;
}

CScanImportResult LoadScanFile(const QString& path, CScanData& data, int language) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ScanImport::Rejected, Text(tunertext::FileUnreadable, language)};
    return ParseScanFile(file.readAll(), data, language);
}
