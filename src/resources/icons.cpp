// Lamps and switches of the I/O and error pages.
#include <QPainter>
#include <QRadialGradient>

#include "resources/icons.h"

namespace resources {
namespace {

QPixmap Lamp(QColor light, QColor dark) {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(kIconSize * 0.38, kIconSize * 0.35, kIconSize * 0.6);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(2, 2, kIconSize - 4, kIconSize - 4));
    p.end();
    return QPixmap::fromImage(image);
}

// A slide switch: the knob right on green when set, left on grey when clear.
QPixmap Switch(bool on) {
    const int w = kIconSize * 2, h = kIconSize;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(on ? QColor(0x2e, 0xa0, 0x4a) : QColor(0xb8, 0xbc, 0xc2));
    p.drawRoundedRect(QRectF(1, 3, w - 2, h - 6), (h - 6) / 2.0, (h - 6) / 2.0);
    p.setBrush(Qt::white);
    const qreal knob = h - 4;
    p.drawEllipse(QRectF(on ? w - knob - 2 : 2, 2, knob, knob));
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap LoadIcon(int id) {
    switch (id) {
        case IDI_LAMP_OFF:
            return Lamp(QColor(0xe8, 0xe8, 0xe8), QColor(0x80, 0x84, 0x8a));
        case IDI_LAMP_GREEN:
            return Lamp(QColor(0xb8, 0xff, 0xb0), QColor(0x1c, 0x8c, 0x2c));
        case IDI_LAMP_RED:
            return Lamp(QColor(0xff, 0xc0, 0xb8), QColor(0xc0, 0x1c, 0x14));
        case IDI_SWITCH_ON:
            return Switch(true);
        case IDI_SWITCH_OFF:
            return Switch(false);
        default:
            return QPixmap();
    }
}

}  // namespace resources
