#include "scope/graphview.h"

#include <QMouseEvent>
#include <QPainter>

#include "scope/mygraph.h"

CScopeGraphView::CScopeGraphView(CMyGraph& graph, QWidget* page) : QWidget(page), graph_(graph) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void CScopeGraphView::Place(const QRect& mouseRect) {
    const GraphArea& a = graph_.Area();
    setGeometry(a.left, a.top, a.right - a.left, a.bottom - a.top);
    mouseRect_ = mouseRect;
}

QPoint CScopeGraphView::PagePoint(const QPointF& local) const {
    return local.toPoint() + pos();
}

void CScopeGraphView::DropBox() {
    boxStart_.reset();
    boxEnd_.reset();
    update();
}

void CScopeGraphView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.translate(-pos());
    graph_.Draw(p);
    if (boxStart_ && boxEnd_) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(QColor(255, 0, 0), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(*boxStart_, *boxEnd_).normalized());
    }
}

void CScopeGraphView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PagePoint(event->position());
    if (!mouseRect_.contains(at))
        return;
    if (event->button() == Qt::LeftButton) {
        boxStart_ = at;
        boxEnd_.reset();
        update();
        return;
    }
    if (event->button() != Qt::RightButton)
        return;
    const bool complete = boxStart_ && boxEnd_;
    const QPoint first = boxStart_.value_or(QPoint()), second = boxEnd_.value_or(QPoint());
    DropBox();
    if (!complete)
        return;
    if (first.x() < second.x())
        graph_.Zoom(1, first.x(), second.x());
    else
        graph_.Zoom(-1);
    emit zoomed();
}

void CScopeGraphView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PagePoint(event->position());
    if (!(event->buttons() & Qt::LeftButton) || !mouseRect_.contains(at) || !boxStart_)
        return;
    boxEnd_ = at;
    update();
}
