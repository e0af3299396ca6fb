#pragma once
// The oscilloscope's plot on the page: paints the curve graph (in page coordinates) and lets
// the user drag a zoom box with the left button and apply it with a right click.
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <optional>

class CMyGraph;

class CScopeGraphView : public QWidget {
    Q_OBJECT
public:
    CScopeGraphView(CMyGraph& graph, QWidget* page);

    // The graph's area and the page rectangle in which the mouse draws the zoom box.
    void Place(const QRect& mouseRect);
    void DropBox();
    bool HasBox() const { return boxEnd_.has_value(); }

signals:
    // The graph zoomed (in, or out to the whole record): scales and texts follow.
    void zoomed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint PagePoint(const QPointF& local) const;

    CMyGraph& graph_;
    QRect mouseRect_;
    std::optional<QPoint> boxStart_;
    std::optional<QPoint> boxEnd_;
};
