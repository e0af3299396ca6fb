#pragma once
// A pass over the rows of a batch page: one request per row, the next one sent only when the
// reply of the previous one is in. The page (or veltoctl) sends the requests and feeds the
// replies back; the pass decides each row's outcome and the final status.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace drvdata {

struct BatchRequest {
    std::uint8_t command = 0;
    std::int32_t key = 0;
    std::int32_t data = 0;
};

class CBatchPass {
public:
    enum class State { Idle, Running, Finished, Cancelled, LinkLost };

    virtual ~CBatchPass() = default;

    // Empties every row's outcome and returns the first request (none when no row needs
    // one: the pass is then finished already).
    std::optional<BatchRequest> Start();
    // A reply for `key`; replies for any other object (a late one) are ignored. Returns the
    // next request, or none when the pass has ended.
    std::optional<BatchRequest> OnValue(std::int32_t key, std::uint32_t value);
    std::optional<BatchRequest> OnAbort(std::int32_t key, std::uint32_t code);
    // Nothing came for the running request: its row fails and the pass goes on.
    std::optional<BatchRequest> OnNoReply();
    // Stops after the running request; rows not yet done stay empty.
    void Cancel();
    // The link went down: the running row fails and the pass ends at once.
    void LinkLost();

    State state() const { return state_; }
    bool Running() const { return state_ == State::Running; }
    int RowsDone() const { return done_; }
    virtual int RowCount() const = 0;
    // The page's status line once the pass has ended.
    QString StatusText() const;

    // Called whenever a row's texts change.
    std::function<void(int row)> rowChanged;

protected:
    // The request for a row, or none after the row was marked failed (no request needed).
    virtual std::optional<BatchRequest> Prepare(int row) = 0;
    virtual void TakeValue(int row, std::uint32_t value) = 0;
    virtual void TakeAbort(int row, std::uint32_t code) = 0;
    virtual void TakeNoReply(int row) = 0;
    virtual void ClearRow(int row) = 0;
    virtual QString FinishText() const = 0;
    void Changed(int row) {
        if (rowChanged)
            rowChanged(row);
    }

private:
    std::optional<BatchRequest> Next();
    std::optional<BatchRequest> Advance();

    State state_ = State::Idle;
    int current_ = 0;
    int done_ = 0;
    bool cancel_ = false;
    std::int32_t awaitedKey_ = 0;
};

}  // namespace drvdata
