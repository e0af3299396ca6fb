#include "row_clock.h"

#include <QAbstractItemModel>
#include <QEventLoop>
#include <QTimer>

RowClock::RowClock(const QAbstractItemModel* model, int valueColumn) : column_(valueColumn) {
    // Only the text: the grid may keep more about a value cell (roles of its own).
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    OnChanged(from.column(), to.column());
            });
}

void RowClock::Start() {
    marks_.clear();
    start_ = Clock::now();
}

void RowClock::OnChanged(int firstColumn, int lastColumn) {
    if (column_ < firstColumn || column_ > lastColumn)
        return;
    marks_.push_back(Clock::now());
    if (loop_ && marks_.size() >= wanted_)
        loop_->quit();  // at once: no timer between the last row and the figure
}

bool RowClock::Wait(int rows, int limitMs) {
    wanted_ = size_t(rows);
    if (marks_.size() < wanted_) {
        QEventLoop loop;
        QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
    }
    return marks_.size() >= wanted_;
}

double RowClock::PerRowUs() const {
    if (wanted_ < 2 || marks_.size() < wanted_)
        return -1;
    const auto span = marks_[wanted_ - 1] - marks_.front();
    return std::chrono::duration<double, std::micro>(span).count() / double(wanted_ - 1);
}

double RowClock::WholeUs() const {
    if (wanted_ < 1 || marks_.size() < wanted_)
        return -1;
    return std::chrono::duration<double, std::micro>(marks_[wanted_ - 1] - start_).count();
}
