#pragma once
// Times a page read from the grid's side: the moment each value cell is filled, as the user
// would see it. The page itself is not touched.
#include <QObject>
#include <chrono>
#include <vector>

class QAbstractItemModel;
class QEventLoop;

class RowClock : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    RowClock(const QAbstractItemModel* model, int valueColumn);

    // Forgets earlier marks; the read starts now.
    void Start();
    // Serves events until `rows` value cells were filled since Start; false after `limitMs`.
    bool Wait(int rows, int limitMs);
    // Per row from the first value to the last: the rows' own pace, without what precedes the
    // first request (microseconds).
    double PerRowUs() const;
    // From Start to the last value (microseconds).
    double WholeUs() const;
    // The moments the values were shown, in order.
    const std::vector<Clock::time_point>& Marks() const { return marks_; }

private:
    void OnChanged(int firstColumn, int lastColumn);

    int column_;
    Clock::time_point start_;
    std::vector<Clock::time_point> marks_;
    size_t wanted_ = 0;
    QEventLoop* loop_ = nullptr;
};
