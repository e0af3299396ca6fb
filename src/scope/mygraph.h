#pragma once
// The oscilloscope's curve graph: up to four channels of sample points drawn into a rectangle
// with frame, dotted 10 x 8 grid, centre cross, value labels, time axis and two measuring
// cursors; automatic 1-2-5 scaling, zoom to a range of samples, and values at the cursors.
// Widget-free: it draws through any QPainter (the page's view, a picture, a benchmark image).
#include <QColor>
#include <QString>
#include <array>
#include <vector>

class QPainter;

struct GraphPoint {
    int ordinal = 0;
    int x = 0;  // pixel offset inside the plot; 0 = outside the view
    double value = 0;
};

struct GraphArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class CMyGraph {
public:
    static constexpr int kChannels = 4;
    static const std::array<QColor, kChannels> kChannelColours;

    CMyGraph();

    void SetArea(const GraphArea& area);
    const GraphArea& Area() const { return area_; }

    // Channels are numbered 1..4.
    void AddPoint(int channel, double value, int step = 1);
    void Clear();
    void ResetRanges();
    void SetVisible(int channel, bool visible) { Ch(channel).visible = visible; }
    void SetAuto(int channel, bool on) { Ch(channel).autoScale = on; }
    bool IsAuto(int channel) const { return Ch(channel).autoScale; }
    void SetScale(int channel, double scale) { Ch(channel).scale = scale; }
    double GetScale(int channel) const { return Ch(channel).scale; }
    void SetOffset(int channel, double offset) { Ch(channel).offset = offset; }
    void StepOffset(int channel, double scale, int direction);
    double GetOffset(int channel) const { return Ch(channel).offset; }
    void SetUnitCoefficient(int channel, double c) { Ch(channel).coefficient = c; }
    double GetUnitCoefficient(int channel) const { return Ch(channel).coefficient; }
    void SetSamplePeriod(int period) { samplePeriod_ = period; }
    int SamplePeriod() const { return samplePeriod_; }

    // mode 1: the samples between two pixel positions of the page; -1: the whole record.
    void Zoom(int mode, int x1 = 0, int x2 = 0);
    void AutoScale();
    void Draw(QPainter& painter) const;

    // Cursor lines at pixel offsets inside the plot; mode 0 none, 1 one cursor, 2 two.
    void setCursor(int which, int position);
    void setCursorMode(int mode) { cursorMode_ = mode; }
    int CursorMode() const { return cursorMode_; }
    int CursorPosition(int which) const { return cursor_[which == 2 ? 1 : 0]; }

    // Value and ordinal at a pixel offset, interpolated between the neighbouring points;
    // false when no point lies at or beyond it.
    bool valueAt(int channel, double x, double& value, double& ordinal) const;

    const std::vector<GraphPoint>& Points(int channel) const { return Ch(channel).points; }
    int PointTotal() const { return pointTotal_; }
    int FirstOrdinal() const { return firstOrdinal_; }
    int LastOrdinal() const { return lastOrdinal_; }
    int ViewCount() const { return viewCount_; }

    // Geometry of the plot, derived from the area and the margins.
    int PlotLeft() const { return area_.left + kMarginLeft; }
    int PlotBottom() const { return area_.bottom - kMarginBottom; }
    int PlotWidth() const;
    int PlotHeight() const;
    int ColumnStep() const { return PlotWidth() / 10; }
    int RowStep() const { return PlotHeight() / 8; }
    // The pixel row of a channel's value (unclipped).
    int ValueToRow(int channel, double value) const;
    int BandTop() const { return area_.top + kMarginTop + 2; }
    int BandBottom() const { return area_.bottom - kMarginBottom - 2; }

    static constexpr int kMarginLeft = 9, kMarginTop = 2, kMarginRight = 10, kMarginBottom = 2;

private:
    struct Channel {
        std::vector<GraphPoint> points;
        bool visible = true;
        bool autoScale = true;
        double scale = 0;
        double offset = 0;
        double coefficient = 1;
        double minimum = 0, maximum = 0;
    };
    Channel& Ch(int channel) { return channels_[std::size_t(channel - 1)]; }
    const Channel& Ch(int channel) const { return channels_[std::size_t(channel - 1)]; }
    void AssignPositions();
    int FirstNonEmpty() const;

    void DrawFrame(QPainter& p) const;
    void DrawGrid(QPainter& p) const;
    void DrawCross(QPainter& p) const;
    void DrawCurve(QPainter& p, int channel) const;
    void DrawCursors(QPainter& p) const;
    void DrawLabels(QPainter& p) const;
    void DrawTimeAxis(QPainter& p) const;

    GraphArea area_;
    std::array<Channel, kChannels> channels_;
    int pointTotal_ = 0;
    int totalChannel_ = 0;  // the channel that received the first point
    int firstOrdinal_ = 1, lastOrdinal_ = 0, viewCount_ = 0;
    int samplePeriod_ = 0;
    int cursorMode_ = 0;
    std::array<int, 2> cursor_{230, 650};
};
