#include "scope/exportfiles.h"

#include <QImage>
#include <QtEndian>
#include <algorithm>

namespace exportfiles {
namespace {

void Put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

void Put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

int BitmapBits(int depth) {
    if (depth <= 1)
        return 1;
    if (depth <= 4)
        return 4;
    if (depth <= 8)
        return 8;
    return depth <= 24 ? 24 : 32;
}

// The 16 colours of a 4-bit screen.
QList<QRgb> SixteenColours() {
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i) {
        const int level = (i & 8) ? 255 : 128;
        table << qRgb((i & 4) ? level : 0, (i & 2) ? level : 0, (i & 1) ? level : 0);
    }
    table[7] = qRgb(192, 192, 192);
    table[8] = qRgb(128, 128, 128);
    return table;
}

QImage Indexed(const QImage& image, int bits) {
    if (bits == 1)
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (bits == 4)
        return image.convertToFormat(QImage::Format_Indexed8, SixteenColours(),
                                     Qt::ThresholdDither);
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

void PixelRow(QByteArray& out, const QImage& img, int y, int bits) {
    const int w = img.width();
    const uchar* line = img.constScanLine(y);
    if (bits == 1) {
        out.append(reinterpret_cast<const char*>(line), (w + 7) / 8);
    } else if (bits == 4) {
        for (int x = 0; x < w; x += 2)
            out.append(char(line[x] << 4 | (x + 1 < w ? line[x + 1] : 0)));
    } else if (bits == 8) {
        out.append(reinterpret_cast<const char*>(line), w);
    } else {
        const QRgb* px = reinterpret_cast<const QRgb*>(line);
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(px[x]))).append(char(qGreen(px[x]))).append(char(qRed(px[x])));
            if (bits == 32)
                out.append(char(0));
        }
    }
}

}  // namespace

QByteArray Csv(const ChannelSamples& samples) {
    QByteArray out;
    std::size_t longest = 0;
    for (const auto& s : samples) longest = std::max(longest, s.size());
    for (std::size_t i = 0; i < longest; ++i) {
        for (const auto& s : samples)
            if (i < s.size())
                out += QString::asprintf("%.0f,", s[i]).toLatin1();
        out += '\n';
    }
    return out;
}

QByteArray WindowsBitmap(const QImage& source, int screenDepth) {
    const int bits = BitmapBits(screenDepth);
    const QImage image =
        bits <= 8 ? Indexed(source, bits) : source.convertToFormat(QImage::Format_RGB32);
    const int entries = bits <= 8 ? 1 << bits : 0;
    const std::uint32_t rowBytes = std::uint32_t((bits * image.width() + 31) / 32 * 4);
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(image.height());
    const std::uint32_t tableBytes = std::uint32_t(entries * 4);
    QByteArray out;
    out.reserve(int(54 + tableBytes + imageBytes));
    out.append("BM");
    Put32(out, imageBytes + tableBytes + 54);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, tableBytes + 54);
    Put32(out, 40);
    Put32(out, std::uint32_t(image.width()));
    Put32(out, std::uint32_t(image.height()));
    Put16(out, 1);
    Put16(out, std::uint16_t(bits));
    for (int i = 0; i < 6; ++i) Put32(out, 0);  // compression and the five fields after it
    const QList<QRgb> table = image.colorTable();
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const int start = int(out.size());
        PixelRow(out, image, y, bits);
        out.append(QByteArray(int(rowBytes) - (int(out.size()) - start), '\0'));
    }
    return out;
}

QString ExportTarget(const QString& chosenPath) {
    const int slash = int(chosenPath.lastIndexOf(u'/'));
    const int dot = int(chosenPath.lastIndexOf(u'.'));
    if (dot <= slash)
        return QString();
    const QString extension = chosenPath.mid(dot + 1);
    if (extension != QLatin1String("csv") && extension != QLatin1String("bmp") &&
        extension != QLatin1String("txt"))
        return QString();
    QString base = chosenPath.left(dot);
    const int cut = int(base.indexOf(u'.', slash + 2));
    if (cut >= 0)
        base.truncate(cut);
    return base + u'.' + extension;
}

}  // namespace exportfiles
