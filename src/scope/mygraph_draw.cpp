// Drawing of the curve graph, in the order frame, grid, cross, curves, cursors, labels, axis.
#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "scope/mygraph.h"

namespace {

const QColor kBackground(255, 255, 255);
const QColor kFrame(54, 54, 54);
const QColor kGrid(150, 140, 140);
const QColor kCross(118, 118, 118);
const QColor kCursor(255, 170, 255);

QFont GraphFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    return font;
}

QRect Box(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// One curve as runs of joined points; a run ends where the curve leaves the band.
class CurveRuns {
public:
    CurveRuns(QPainter& p) : painter_(p) {}
    ~CurveRuns() { Flush(); }
    void Add(QPoint point) { run_ << point; }
    void Flush() {
        if (run_.size() >= 2)
            painter_.drawPolyline(run_);
        run_.clear();
    }

private:
    QPainter& painter_;
    QPolygon run_;
};

}  // namespace

void CMyGraph::Draw(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(Box(area_.left, area_.top, area_.right, area_.bottom), kBackground);
    DrawFrame(p);
    DrawGrid(p);
    DrawCross(p);
    for (int ch = 1; ch <= kChannels; ++ch)
        if (Ch(ch).visible && !Ch(ch).points.empty())
            DrawCurve(p, ch);
    DrawCursors(p);
    p.setFont(GraphFont());
    DrawLabels(p);
    DrawTimeAxis(p);
    p.restore();
}

void CMyGraph::DrawFrame(QPainter& p) const {
    p.setPen(QPen(kFrame, 2, Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(PlotLeft(), PlotBottom() - PlotHeight()),
                     QPoint(PlotLeft() + PlotWidth(), PlotBottom())));
}

void CMyGraph::DrawGrid(QPainter& p) const {
    p.setPen(QPen(kGrid, 1, Qt::DotLine));
    const int left = PlotLeft(), bottom = PlotBottom();
    for (int i = 1; i <= 10; ++i) {
        const int x = left + i * ColumnStep();
        p.drawLine(x, bottom - 2, x, bottom - PlotHeight());
        p.drawLine(x, bottom + 2, x, bottom + 4);
    }
    for (int i = 1; i <= 8; ++i) {
        const int y = bottom - i * RowStep() - 1;
        p.drawLine(left + 1, y, left + PlotWidth() - 2, y);
    }
}

void CMyGraph::DrawCross(QPainter& p) const {
    p.setPen(QPen(kCross, 1, Qt::SolidLine));
    const int y = PlotBottom() - PlotHeight() / 2 - 1;
    p.drawLine(PlotLeft() + 1, y, PlotLeft() + PlotWidth(), y);
    const int x = PlotLeft() + PlotWidth() / 2 - 1;
    p.drawLine(x, PlotBottom() + 1, x, PlotBottom() - PlotHeight());
}

// Joins the points in view; outside the band a curve runs along the edge it crossed: the
// segment that leaves ends on the edge, the one that returns starts where it meets the edge.
void CMyGraph::DrawCurve(QPainter& p, int channel) const {
    p.setPen(QPen(kChannelColours[std::size_t(channel - 1)], 1, Qt::SolidLine));
    const int top = BandTop(), bottom = BandBottom(), limit = PlotWidth() - 1;
    CurveRuns runs(p);
    bool havePrevious = false, previousInside = false;
    int px = 0, py = 0;
    for (const GraphPoint& point : Ch(channel).points) {
        if (point.x == 0)
            continue;
        const bool atEnd = point.x >= limit;
        const int x = atEnd ? PlotLeft() + PlotWidth() - 3 : PlotLeft() + point.x + 1;
        const int y = ValueToRow(channel, point.value);
        const bool inside = y >= top && y <= bottom;
        if (inside && (!havePrevious || previousInside)) {
            runs.Add({x, y});
        } else if (inside) {
            const int edge = py < top ? top : bottom;
            const double t = double(edge - py) / double(y - py);
            runs.Flush();
            runs.Add({int(std::lround(px + t * (x - px))), edge});
            runs.Add({x, y});
        } else if (havePrevious && previousInside) {
            runs.Add({x, y < top ? top : bottom});
            runs.Flush();
        }
        havePrevious = true;
        previousInside = inside;
        px = x;
        py = y;
        if (atEnd)
            break;  // later points lie beyond the plot
    }
}

void CMyGraph::DrawCursors(QPainter& p) const {
    if (cursorMode_ < 1)
        return;
    p.save();
    // XOR: the line stays visible over the curves and the grid whatever lies below it.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(kCursor, 1, Qt::SolidLine));
    for (int i = 0; i < cursorMode_ && i < 2; ++i) {
        const int x = area_.left + kMarginLeft + cursor_[std::size_t(i)] + 1;
        p.drawLine(x, PlotBottom(), x, PlotBottom() - PlotHeight() - 1);
    }
    p.restore();
}

void CMyGraph::DrawLabels(QPainter& p) const {
    const int left = PlotLeft(), bottom = PlotBottom(), col = ColumnStep(), row = RowStep();
    for (int ch = 1; ch <= kChannels; ++ch) {
        const Channel& c = Ch(ch);
        if (!c.visible || c.points.empty())
            continue;
        p.setPen(kChannelColours[std::size_t(ch - 1)]);
        const bool rightSide = ch >= 3;
        const bool below = ch == 2 || ch == 4;
        const int x1 = rightSide ? left + 8 * col : left + 2;
        const int x2 = rightSide ? left + 10 * col - 2 : left + 2 * col;
        const int align = (rightSide ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        const QString upper = QString::asprintf("%f", 3 * c.scale - c.offset);
        const QString lower = QString::asprintf("%f", -c.offset - 3 * c.scale);
        for (int line : {7, 1}) {
            const int y = bottom - line * row;
            const QRect box = below ? Box(x1, y + 2, x2, y + row) : Box(x1, y - 15, x2, y);
            p.drawText(box, align, line == 7 ? upper : lower);
        }
    }
}

void CMyGraph::DrawTimeAxis(QPainter& p) const {
    const int ch = FirstNonEmpty();
    if (ch == 0)
        return;
    const int col = ColumnStep(), left = PlotLeft(), bottom = PlotBottom();
    double value = 0, t1 = 0, t2 = 0;
    if (!valueAt(ch, col - 1, value, t1))
        return;
    const bool second = valueAt(ch, col - 1 + 2 * col, value, t2);
    const double msPerSample = samplePeriod_ * 62.5 / 1000.0;
    p.setPen(kFrame);
    for (int k = 1; k <= (second ? 5 : 1); ++k) {
        const double t = k == 1 ? t1 : t2 + (k - 2) * (t2 - t1);
        const QRect box = Box(left + (4 * k - 3) * col / 2, bottom - 18,
                              left + (4 * k - 1) * col / 2, bottom - 5);
        p.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter,
                   QString::asprintf("%.4f", t * msPerSample));
    }
    p.drawText(Box(left + 29 * col / 3, bottom - 18, left + 10 * col, bottom - 5),
               Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("(ms)"));
}
