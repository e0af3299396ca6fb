#include "scope/mygraph.h"

#include <algorithm>
#include <cmath>

#include "scope/scalesteps.h"

const std::array<QColor, CMyGraph::kChannels> CMyGraph::kChannelColours = {
    QColor(255, 20, 147), QColor(32, 178, 170), QColor(0, 100, 0), QColor(0, 0, 255)};

CMyGraph::CMyGraph() = default;

void CMyGraph::SetArea(const GraphArea& area) {
    area_ = area;
}

int CMyGraph::PlotWidth() const {
    return area_.right - kMarginRight - area_.left - kMarginLeft - 1;
}

int CMyGraph::PlotHeight() const {
    return PlotBottom() - kMarginTop - area_.top - 1;
}

void CMyGraph::AddPoint(int channel, double value, int step) {
    std::vector<GraphPoint>& points = Ch(channel).points;
    const int ordinal = points.empty() ? 1 : points.back().ordinal + step;
    points.push_back({ordinal, 0, value});
    // The total counts the points of the channel that received the first point.
    if (totalChannel_ == 0)
        totalChannel_ = channel;
    if (channel == totalChannel_)
        ++pointTotal_;
}

void CMyGraph::Clear() {
    for (Channel& c : channels_) c.points.clear();
    pointTotal_ = 0;
    totalChannel_ = 0;
}

void CMyGraph::ResetRanges() {
    for (Channel& c : channels_) {
        c.minimum = c.maximum = 0;
        c.visible = c.autoScale = true;
    }
    pointTotal_ = 0;
}

void CMyGraph::StepOffset(int channel, double scale, int direction) {
    Ch(channel).offset += direction > 0 ? scale / 2 : -scale / 2;
}

int CMyGraph::FirstNonEmpty() const {
    for (int ch = 1; ch <= kChannels; ++ch)
        if (!Ch(ch).points.empty())
            return ch;
    return 0;
}

void CMyGraph::setCursor(int which, int position) {
    cursor_[which == 2 ? 1 : 0] = position;
}

int CMyGraph::ValueToRow(int channel, double value) const {
    const Channel& c = Ch(channel);
    const double scale = c.scale != 0 ? c.scale : scalesteps::kSmallest;
    const double rows = (value * c.coefficient + c.offset) * RowStep() / scale;
    const double clamped = std::clamp(rows, -1e9, 1e9);  // far outside the band is outside
    return PlotBottom() - PlotHeight() / 2 - int(std::trunc(clamped)) - 1;
}

// Pixel offsets for the points in view, walking the four channels in step; the walk also
// finds each channel's value range in view.
void CMyGraph::AssignPositions() {
    if (viewCount_ < 2)
        return;
    const double perPoint = (PlotWidth() - 4) / double(viewCount_);
    std::array<bool, kChannels> seen{};
    std::size_t longest = 0;
    for (const Channel& c : channels_) longest = std::max(longest, c.points.size());
    int d = 1;
    for (std::size_t i = 0; i < longest; ++i) {
        bool lastVisible = false;
        for (int k = 0; k < kChannels; ++k) {
            Channel& c = channels_[std::size_t(k)];
            if (i >= c.points.size())
                continue;
            GraphPoint& p = c.points[i];
            lastVisible = p.ordinal >= firstOrdinal_ && p.ordinal <= lastOrdinal_;
            if (!lastVisible) {
                p.x = 0;
                continue;
            }
            p.x = d < 2 ? 1 : int(d * perPoint);
            c.minimum = seen[std::size_t(k)] ? std::min(c.minimum, p.value) : p.value;
            c.maximum = seen[std::size_t(k)] ? std::max(c.maximum, p.value) : p.value;
            seen[std::size_t(k)] = true;
        }
        if (lastVisible)
            ++d;
    }
}

void CMyGraph::AutoScale() {
    AssignPositions();
    for (Channel& c : channels_) {
        if (!c.autoScale)
            continue;
        c.scale = scalesteps::AutoScale(c.maximum - c.minimum, c.coefficient);
        c.offset = -(c.maximum + c.minimum) * c.coefficient / 2;
    }
}

void CMyGraph::Zoom(int mode, int x1, int x2) {
    if (mode != 1) {
        firstOrdinal_ = 1;
        lastOrdinal_ = viewCount_ = pointTotal_;
        return;
    }
    const int ch = FirstNonEmpty();
    if (ch == 0)
        return;
    const std::vector<GraphPoint>& points = Ch(ch).points;
    const int left = x1 - area_.left - kMarginLeft - 1;
    const int right = std::min(PlotWidth() - 4, x2 - area_.left - kMarginLeft + 1);
    std::size_t found = points.size();
    int visibleBefore = 0, firstVisible = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].x == 0)
            continue;
        if (firstVisible == 0)
            firstVisible = points[i].ordinal;
        if (points[i].x >= left) {
            found = i;
            break;
        }
        ++visibleBefore;
    }
    if (found == points.size())
        return;
    // A box starting at the left edge keeps the view's first point (not the record's).
    const int first = visibleBefore <= 1 ? firstVisible : points[found].ordinal;
    int last = points[found].ordinal;
    for (std::size_t i = found + 1; i < points.size(); ++i) {
        if (points[i].x == 0)
            continue;
        last = points[i].ordinal;
        if (points[i].x >= right)
            break;
    }
    int count = 0;
    for (const GraphPoint& p : points) count += p.ordinal >= first && p.ordinal <= last;
    if (count < 2)
        return;  // a box around one point would leave nothing to spread
    firstOrdinal_ = first;
    lastOrdinal_ = last;
    viewCount_ = count;
}

bool CMyGraph::valueAt(int channel, double x, double& value, double& ordinal) const {
    const GraphPoint* previous = nullptr;
    for (const GraphPoint& p : Ch(channel).points) {
        if (p.x == 0)
            continue;
        if (p.x < x) {
            previous = &p;
            continue;
        }
        if (p.x == x || !previous) {
            value = p.value;
            ordinal = p.ordinal;
            return true;
        }
        const double t = (x - previous->x) / double(p.x - previous->x);
        value = previous->value + t * (p.value - previous->value);
        ordinal = previous->ordinal + t * (p.ordinal - previous->ordinal);
        return true;
    }
    return false;
}
