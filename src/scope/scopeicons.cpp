#include "scope/scopeicons.h"

#include <QPainter>
#include <QPixmap>

namespace scopeicons {

QIcon TriggerEdge(bool falling) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 0, 160), 2));
    const int low = 19, high = 5;
    const int first = falling ? high : low, second = falling ? low : high;
    p.drawPolyline(
        QPolygon({QPoint(2, first), QPoint(12, first), QPoint(12, second), QPoint(22, second)}));
    // The arrow on the edge shows its direction.
    const int tip = falling ? 15 : 9, back = falling ? -5 : 5;
    p.drawLine(12, tip, 8, tip + back);
    p.drawLine(12, tip, 16, tip + back);
    return QIcon(pixmap);
}

}  // namespace scopeicons
