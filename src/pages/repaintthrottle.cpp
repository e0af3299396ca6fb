#include "pages/repaintthrottle.h"

#include <algorithm>

CRepaintThrottle::CRepaintThrottle(QObject* parent, int coolDownMs, Paint paint)
    : QObject(parent), paint_(std::move(paint)) {
    timer_.setSingleShot(true);
    timer_.setInterval(coolDownMs);
    connect(&timer_, &QTimer::timeout, this, [this] { CoolDownOver(); });
}

void CRepaintThrottle::CellChanged(int row, int column) {
    if (!timer_.isActive() && !gathered_) {
        paint_(row, column, row, column);
        timer_.start();
        return;
    }
    if (!gathered_) {
        top_ = bottom_ = row;
        left_ = right_ = column;
        gathered_ = true;
        return;
    }
    top_ = std::min(top_, row);
    bottom_ = std::max(bottom_, row);
    left_ = std::min(left_, column);
    right_ = std::max(right_, column);
}

void CRepaintThrottle::CoolDownOver() {
    timer_.stop();
    if (!gathered_)
        return;
    gathered_ = false;
    paint_(top_, left_, bottom_, right_);
    timer_.start();  // a burst still going on keeps being gathered
}
