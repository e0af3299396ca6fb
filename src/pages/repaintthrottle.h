#pragma once
// Paints a view's changed cells in batches: the first change is painted at once, further
// changes within the cool-down are gathered and painted together when it ends. A page read
// fills one value cell per reply; without this every reply would schedule a paint of its own.
#include <QObject>
#include <QTimer>
#include <functional>

class CRepaintThrottle : public QObject {
public:
    // Paints the cells of rows top..bottom and columns left..right.
    using Paint = std::function<void(int top, int left, int bottom, int right)>;

    CRepaintThrottle(QObject* parent, int coolDownMs, Paint paint);

    void CellChanged(int row, int column);
    // The end of the cool-down (the timer's slot; tests call it directly).
    void CoolDownOver();

private:
    Paint paint_;
    QTimer timer_;
    bool gathered_ = false;
    int top_ = 0, left_ = 0, bottom_ = 0, right_ = 0;
};
