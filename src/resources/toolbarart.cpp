// The ten tool-bar images in three sets. Only the connect image (index 2) and the accent
// colour differ between the sets, so the blinking reads as the link state.
#include <QPainter>
#include <QPainterPath>

#include "resources/bitmaps.h"

namespace resources {
namespace {

struct Palette {
    QColor accent;  // link colour of the set
    bool fault = false;
    bool linked = false;
};

Palette PaletteOf(int setId) {
    switch (setId) {
        case IDB_TOOLBAR_OPEN:
            return {QColor(0x2e, 0xa0, 0x43), false, true};
        case IDB_TOOLBAR_FAULT:
            return {QColor(0xd0, 0x30, 0x2a), true, true};
        default:
            return {QColor(0x80, 0x86, 0x8c), false, false};
    }
}

void DrawFolder(QPainter& p) {
    p.setPen(QPen(QColor(0x9a, 0x6b, 0x10), 1));
    p.setBrush(QColor(0xf2, 0xc1, 0x4e));
    p.drawRect(3, 7, 19, 13);
    p.drawRect(3, 5, 8, 3);
    p.setBrush(QColor(0xfb, 0xdc, 0x8a));
    QPolygon lid({QPoint(6, 11), QPoint(23, 11), QPoint(20, 20), QPoint(3, 20)});
    p.drawPolygon(lid);
}

void DrawDisk(QPainter& p) {
    p.setPen(QPen(QColor(0x1f, 0x3d, 0x7a), 1));
    p.setBrush(QColor(0x3b, 0x6c, 0xc4));
    p.drawRect(4, 4, 17, 17);
    p.setBrush(Qt::white);
    p.drawRect(7, 4, 11, 6);
    p.setBrush(QColor(0xd9, 0xe3, 0xf5));
    p.drawRect(7, 13, 11, 8);
    p.fillRect(14, 5, 3, 4, QColor(0x1f, 0x3d, 0x7a));
}

void DrawPlug(QPainter& p, const Palette& pal) {
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(QColor(0xb0, 0xb4, 0xb8));
    int gap = pal.linked ? 0 : 3;
    p.drawRect(2, 9, 7 - gap, 7);         // left plug body
    p.drawRect(16 + gap, 9, 7 - gap, 7);  // right socket body
    p.fillRect(9 - gap, 10, 3, 2, QColor(0x40, 0x40, 0x40));
    p.fillRect(9 - gap, 13, 3, 2, QColor(0x40, 0x40, 0x40));
    p.setPen(Qt::NoPen);
    p.setBrush(pal.accent);
    p.drawEllipse(QPoint(12, 12), 4, 4);
    if (pal.fault) {
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(12, 9, 12, 13);
        p.drawPoint(12, 15);
    }
}

void DrawScope(QPainter& p) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x10, 0x28, 0x18));
    p.drawRoundedRect(2, 3, 21, 17, 2, 2);
    QPainterPath wave;
    wave.moveTo(4, 12);
    wave.cubicTo(7, 3, 10, 3, 12, 12);
    wave.cubicTo(14, 21, 17, 21, 21, 12);
    p.setPen(QPen(QColor(0x5c, 0xf0, 0x7a), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.fillRect(8, 21, 9, 2, QColor(0x60, 0x60, 0x60));
}

void DrawIo(QPainter& p) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x2c, 0x2c, 0x34));
    p.drawRect(5, 6, 15, 13);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(7 + i * 3, 3, 2, 3, QColor(0xc8, 0xa0, 0x30));
        p.fillRect(7 + i * 3, 19, 2, 3, QColor(0xc8, 0xa0, 0x30));
    }
    p.setPen(QColor(0xe0, 0xe0, 0xe0));
    p.drawText(QRect(5, 6, 15, 13), Qt::AlignCenter, "IO");
}

void DrawWarning(QPainter& p) {
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 1));
    p.setBrush(QColor(0xf5, 0xb8, 0x1d));
    p.drawPolygon(QPolygon({QPoint(12, 2), QPoint(23, 21), QPoint(1, 21)}));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
    p.drawLine(12, 8, 12, 14);
    p.drawPoint(12, 18);
}

void DrawTransfer(QPainter& p, bool toDrive) {
    // Drive box at the bottom, PC sheet at the top, arrow between them.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x6d, 0x7b, 0x8d));
    p.drawRect(3, 16, 19, 6);
    p.setBrush(Qt::white);
    p.drawRect(6, 2, 13, 8);
    QColor arrow = toDrive ? QColor(0xd0, 0x60, 0x10) : QColor(0x20, 0x80, 0xd0);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    p.fillRect(11, 8, 3, 6, arrow);
    if (toDrive)
        p.drawPolygon(QPolygon({QPoint(8, 12), QPoint(17, 12), QPoint(12, 17)}));
    else
        p.drawPolygon(QPolygon({QPoint(8, 10), QPoint(17, 10), QPoint(12, 5)}));
}

void DrawCascade(QPainter& p) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int i = 0; i < 3; ++i) {
        QRect r(2 + i * 4, 2 + i * 4, 13, 11);
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.fillRect(r.x() + 1, r.y() + 1, r.width() - 1, 3, QColor(0x3b, 0x6c, 0xc4));
    }
}

void DrawTile(QPainter& p) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            QRect r(2 + col * 11, 2 + row * 11, 10, 10);
            p.setBrush(Qt::white);
            p.drawRect(r);
            p.fillRect(r.x() + 1, r.y() + 1, r.width() - 1, 2, QColor(0x3b, 0x6c, 0xc4));
        }
    }
}

}  // namespace

QPixmap ToolBarImage(int setId, int index) {
    if (setId != IDB_TOOLBAR_CLOSED && setId != IDB_TOOLBAR_OPEN && setId != IDB_TOOLBAR_FAULT)
        return QPixmap();
    if (index < 0 || index >= kToolBarImageCount)
        return QPixmap();
    QImage image(kToolBarImageSize, kToolBarImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    Palette pal = PaletteOf(setId);
    switch (index) {
        case 0:
            DrawFolder(p);
            break;
        case 1:
            DrawDisk(p);
            break;
        case 2:
            DrawPlug(p, pal);
            break;
        case 3:
            DrawScope(p);
            break;
        case 4:
            DrawIo(p);
            break;
        case 5:
            DrawWarning(p);
            break;
        case 6:
            DrawTransfer(p, false);
            break;
        case 7:
            DrawTransfer(p, true);
            break;
        case 8:
            DrawCascade(p);
            break;
        default:
            DrawTile(p);
            break;
    }
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace resources
