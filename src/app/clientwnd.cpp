#include "app/clientwnd.h"

#include <QResizeEvent>

#include "resources/bitmaps.h"

CClientWnd::CClientWnd(QWidget* parent)
    : QMdiArea(parent), bitmap_(resources::LoadBitmap(resources::IDB_BACKGROUND)) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CClientWnd::resizeEvent(QResizeEvent* event) {
    // Repainted completely on every size change, smoothly stretched.
    QSize size = viewport()->size().expandedTo(QSize(1, 1));
    setBackground(QBrush(bitmap_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    QMdiArea::resizeEvent(event);
}
