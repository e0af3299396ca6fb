#include "tuner/bodeplot.h"

#include <QMouseEvent>
#include <QPainter>

#include "tuner/bodegeometry.h"

using namespace bode;

namespace {

const CBodeCurveInfo kCurves[kCurveCount] = {
    {1252, QT_TRANSLATE_NOOP("CTIDDlg", "负载与电机"), QColor(255, 0, 0)},
    {1253, QT_TRANSLATE_NOOP("CTIDDlg", "速度开环仿真"), QColor(0, 0, 0)},
    {1254, QT_TRANSLATE_NOOP("CTIDDlg", "速度闭环仿真"), QColor(128, 0, 255)},
    {1239, QT_TRANSLATE_NOOP("CTIDDlg", "电流闭环"), QColor(0, 0, 255)},
    {1242, QT_TRANSLATE_NOOP("CTIDDlg", "位置开环仿真"), QColor(0, 255, 0)},
    {1243, QT_TRANSLATE_NOOP("CTIDDlg", "位置闭环仿真"), QColor(128, 128, 0)},
    {1240, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器1"), QColor(128, 255, 255)},
    {1245, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器2"), QColor(255, 128, 0)},
    {1246, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器3"), QColor(255, 0, 128)},
    {1241, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器4"), QColor(64, 128, 128)},
    {1247, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器5"), QColor(128, 128, 128)},
    {1255, QT_TRANSLATE_NOOP("CTIDDlg", "滤波器6"), QColor(0, 64, 128)},
};

// Magnitudes and phases of one curve at its points.
struct Series {
    const float* magnitude;
    const float* phase;
};

// Frequencies of the vertical lines: 1 .. 10, 20 .. 100, 200 .. 1000.
std::vector<int> GridFrequencies() {
    std::vector<int> f;
    for (int decade = 1; decade <= 100; decade *= 10)
        for (int k = decade == 1 ? 1 : 2; k <= 10; ++k) f.push_back(k * decade);
    return f;
}

void DrawLabel(QPainter& p, int hz, int x) {
    QRect r;
    QString text;
    if (hz <= 10) {
        r = QRect(QPoint(x - 2, kHeight), QPoint(x + 20, kAreaHeight));
        text = QString::number(hz);
    } else if (hz == 20 || hz == 100) {
        r = QRect(QPoint(x - 2, kHeight), QPoint(x + 25, kAreaHeight));
        text = QString::asprintf("%3d", hz);
    } else if (hz == 200) {
        r = QRect(QPoint(x - 10, kHeight), QPoint(x + 32, kAreaHeight));
        text = QString::asprintf("%3d", hz);
    } else if (hz == 1000) {
        r = QRect(QPoint(x - 10, kHeight), QPoint(x + 32, kAreaHeight));
        text = QStringLiteral("10³");
    } else {
        r = QRect(QPoint(x - 2, kHeight), QPoint(x + 20, kAreaHeight));
        text = QStringLiteral(".");
    }
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
}

void DrawFrame(QPainter& p) {
    const int w = kAreaWidth, h = kHeight;
    p.fillRect(QRect(0, h, w, kAreaHeight - h), p.background());
    p.setPen(QPen(Qt::red, 1));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setBrush(Qt::NoBrush);
    p.drawLine(1, h / 4, w, h / 4);
    p.drawLine(1, 3 * h / 4, w, 3 * h / 4);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(1, h / 2, w, h / 2);
    p.setPen(QPen(Qt::red, 1, Qt::DotLine));
    for (int k : {1, 3, 5, 7}) p.drawLine(1, k * h / 8, w, k * h / 8);
    for (int hz : GridFrequencies()) {
        int x = X(hz);
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        p.drawLine(x, 0, x, h);
        p.setPen(Qt::black);
        DrawLabel(p, hz, x);
    }
}

}  // namespace

const CBodeCurveInfo& BodeCurveInfo(int curve) {
    return kCurves[curve];
}

CBodePlot::CBodePlot(const CBodeSource& source, QWidget* parent)
    : QWidget(parent), source_(source) {
    setObjectName(QStringLiteral("1283"));
    setFixedSize(kAreaWidth, kAreaHeight);
    setMouseTracking(true);
}

namespace {

class CurvePainter {
public:
    CurvePainter(QPainter& p, const CBodeSource& s) : p_(p), s_(s) {}

    // Segments from point i to i + 1 for i + 2 < count; point i lies at from + i x step Hz.
    void Measured(Series series, const QColor& colour) {
        const CScanData& d = *s_.data;
        const int count = d.CountFits() ? d.pointCount : 0;
        p_.setPen(QPen(colour, 1));
        for (int i = 0; i + 2 < count; ++i)
            Segment(double(d.Frequency(i)), double(d.Frequency(i + 1)), series, i);
    }

    // Segments from k to k + 1 Hz for k = 1 .. 998.
    void Filter(Series series, const QColor& colour) {
        p_.setPen(QPen(colour, 1));
        for (int k = 1; k <= 998; ++k) Segment(k, k + 1, series, k);
    }

private:
    void Segment(double f0, double f1, Series s, int i) {
        const int x0 = X(f0), x1 = X(f1);
        if (s_.displayMode == 1 || s_.displayMode == 3)
            p_.drawLine(x0, GainY(s.magnitude[i], s_.gainRuler), x1,
                        GainY(s.magnitude[i + 1], s_.gainRuler));
        if (s_.displayMode == 2 || s_.displayMode == 3)
            p_.drawLine(x0, PhaseY(s.phase[i]), x1, PhaseY(s.phase[i + 1]));
    }

    QPainter& p_;
    const CBodeSource& s_;
};

}  // namespace

void CBodePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setBackground(palette().window());
    DrawFrame(p);
    const CBodeSource& s = source_;
    if (!s.curvesEnabled || !s.data || !s.scan || !s.sim || !s.filters)
        return;
    CurvePainter curves(p, s);
    const bool data = s.scan->dataValid, sim = s.sim->valid;
    auto colour = [](int c) { return kCurves[c].colour; };
    if (data && s.ticked[kCurveMeasured])
        curves.Measured({s.scan->gain.data(), s.scan->phaseDifference.data()}, colour(0));
    if (data && sim) {
        const CLoopResponse& v = s.sim->velocity;
        const CLoopResponse& pos = s.sim->position;
        const Series loops[] = {{v.openMagnitude.data(), v.openPhase.data()},
                                {v.closedMagnitude.data(), v.closedPhase.data()},
                                {s.scan->currentRatio.data(), s.scan->currentPhase.data()},
                                {pos.openMagnitude.data(), pos.openPhase.data()},
                                {pos.closedMagnitude.data(), pos.closedPhase.data()}};
        for (int c = kCurveVelocityOpen; c <= kCurvePositionClosed; ++c)
            if (s.ticked[c])
                curves.Measured(loops[c - kCurveVelocityOpen], colour(c));
    }
    if (!sim)
        return;
    for (int r = 0; r < kFilterCount; ++r)
        if (s.ticked[kCurveFilter1 + r] && s.filters[r].active)
            curves.Filter({s.sim->filterMagnitude[r].data(), s.sim->filterPhase[r].data()},
                          colour(kCurveFilter1 + r));
}

void CBodePlot::mouseMoveEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    QString text = ReadOut(pos.x(), pos.y(), source_.gainRuler, source_.phaseRuler);
    if (!text.isEmpty() && onReadOut)
        onReadOut(text);
}

void CBodePlot::mouseDoubleClickEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    bool inside = pos.x() > 0 && pos.x() < kAreaWidth && pos.y() >= 0 && pos.y() <= kHeight;
    if (event->button() == Qt::RightButton && inside)
        update();
}
