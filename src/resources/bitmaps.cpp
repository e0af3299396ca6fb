// Background, band and link toggle bitmaps.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "resources/bitmaps.h"

namespace resources {
namespace {

QPixmap Background() {
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(0x2b, 0x4a, 0x6f));
    sky.setColorAt(1, QColor(0x0f, 0x1d, 0x2e));
    p.fillRect(image.rect(), sky);
    // A faint grid and a motor's step response: what the tool is about.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int x = 0; x < 800; x += 40) p.drawLine(x, 0, x, 600);
    for (int y = 0; y < 600; y += 40) p.drawLine(0, y, 800, y);
    QPainterPath curve;
    curve.moveTo(0, 460);
    curve.lineTo(120, 460);
    curve.cubicTo(170, 200, 220, 200, 270, 250);
    curve.cubicTo(320, 300, 360, 270, 420, 262);
    curve.lineTo(800, 262);
    p.setPen(QPen(QColor(0x6f, 0xc3, 0xff, 90), 3));
    p.drawPath(curve);
    QFont font("Sans", 44, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawText(QRect(0, 420, 780, 160), Qt::AlignRight | Qt::AlignBottom, "VeltoServo");
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap Band() {
    QImage image(64, 40, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 40);
    g.setColorAt(0, QColor(0xf4, 0xf6, 0xf9));
    g.setColorAt(1, QColor(0xd5, 0xdc, 0xe6));
    p.fillRect(image.rect(), g);
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap LinkToggle(bool open) {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(12, 12, 18);
    g.setColorAt(0, open ? QColor(0x8c, 0xf0, 0x9c) : QColor(0xf4, 0x9a, 0x94));
    g.setColorAt(1, open ? QColor(0x1e, 0x8a, 0x34) : QColor(0xb0, 0x22, 0x1c));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(g);
    p.drawEllipse(2, 2, 28, 28);
    // Two chain links: joined when open, apart when closed.
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(Qt::NoBrush);
    int spread = open ? 0 : 3;
    p.drawRoundedRect(QRectF(7 - spread, 12, 11, 8), 4, 4);
    p.drawRoundedRect(QRectF(14 + spread, 12, 11, 8), 4, 4);
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap LoadBitmap(int id) {
    switch (id) {
        case IDB_BACKGROUND:
            return Background();
        case IDB_BAND:
            return Band();
        case IDB_LINK_CLOSED:
            return LinkToggle(false);
        case IDB_LINK_OPEN:
            return LinkToggle(true);
        default:
            return QPixmap();
    }
}

}  // namespace resources
