#pragma once
// The Bode plot (frame control 1283): gain above, phase below, over 1 .. 1000 Hz. It paints
// from the tuner's result arrays and settings on every redraw; the mouse position is read out.
#include <QColor>
#include <QWidget>
#include <functional>

#include "tuner/filtermodel.h"
#include "tuner/scananalysis.h"
#include "tuner/simulation.h"

// The twelve curves in the order of their check boxes' table.
enum BodeCurve {
    kCurveMeasured,        // 1252 "负载与电机"
    kCurveVelocityOpen,    // 1253
    kCurveVelocityClosed,  // 1254
    kCurveCurrent,         // 1239
    kCurvePositionOpen,    // 1242
    kCurvePositionClosed,  // 1243
    kCurveFilter1,         // 1240 .. 1255: filters 1 to 6
    kCurveCount = kCurveFilter1 + kFilterCount,
};

struct CBodeCurveInfo {
    int control;
    const char* caption;
    QColor colour;
};
const CBodeCurveInfo& BodeCurveInfo(int curve);

// What the plot draws from; owned by the tuner dialog.
struct CBodeSource {
    const CScanData* data = nullptr;
    const CScanResults* scan = nullptr;
    const CSimulationResults* sim = nullptr;
    const CFilterEntry* filters = nullptr;  // kFilterCount entries
    bool ticked[kCurveCount] = {};
    int gainRuler = 40;
    int phaseRuler = 180;
    int displayMode = 3;  // 0 none, 1 gain, 2 phase, 3 both
    int curvesEnabled = 0;
};

class CBodePlot : public QWidget {
    Q_OBJECT
public:
    CBodePlot(const CBodeSource& source, QWidget* parent = nullptr);

    // The text of the mouse read-out goes here (static 1288).
    std::function<void(const QString&)> onReadOut;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const CBodeSource& source_;
};
