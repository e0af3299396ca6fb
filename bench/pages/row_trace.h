#pragma once
// Where a row's time goes: the moments a request leaves for the component and its reply is
// back (worker thread), and the moment the UI thread starts running a message from the worker.
// With the moment each value is shown (RowClock) they split a row into the wire, the two
// hand-overs and the page's handler. Only the bench's traced reads pay for it.
#include <QApplication>
#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

class CGlobal;
struct Transport;

class RowTrace {
public:
    using Clock = std::chrono::steady_clock;
    enum Stage { RequestOut, ReplyIn, HandlerStart, StageCount };

    static RowTrace& Instance();

    void Start();  // forgets earlier marks and starts recording
    void Stop();
    void Mark(Stage stage);
    bool Recording() const { return recording_.load(); }
    std::vector<Clock::time_point> Marks(Stage stage);

private:
    std::mutex mutex_;
    std::atomic<bool> recording_ = false;
    std::array<std::vector<Clock::time_point>, StageCount> marks_;
};

// Segments of a row in microseconds, over the rows of one read: row i runs from its request
// out, reply in, handler start and value shown to the request out of row i + 1.
struct RowSplit {
    enum Segment {
        Wire,     // request out to reply in: line, drive and component
        ToUi,     // reply in to handler start: decoding and the worker's message
        ToShown,  // handler start to value shown: look-up, conversion, grid
        ToWire,   // value shown to the next request out: the next Request, the worker's wake-up
        Count
    };
    std::array<double, Count> mean{}, median{};
    bool valid = false;
};

// From the trace and the shown-value marks of a read of `rows` rows.
RowSplit SplitRows(RowTrace& trace, const std::vector<RowTrace::Clock::time_point>& shown,
                   int rows);

// Opens the link of `g` over the transport with the real component wrapped so that each
// request and reply is marked in the trace; false when it does not open.
bool OpenTracedLink(CGlobal& g, const Transport& t, const QString& dataFolder);

// Marks the start of every message the worker hands to the UI thread.
class TracingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
