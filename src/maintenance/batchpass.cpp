#include "maintenance/batchpass.h"

namespace drvdata {

std::optional<BatchRequest> CBatchPass::Start() {
    for (int row = 0; row < RowCount(); ++row) {
        ClearRow(row);
        Changed(row);
    }
    state_ = State::Running;
    current_ = 0;
    done_ = 0;
    cancel_ = false;
    return Next();
}

// The request of the current row; rows that fail without one are passed over.
std::optional<BatchRequest> CBatchPass::Next() {
    while (current_ < RowCount()) {
        if (cancel_) {
            state_ = State::Cancelled;
            return std::nullopt;
        }
        if (std::optional<BatchRequest> request = Prepare(current_)) {
            awaitedKey_ = request->key;
            return request;
        }
        Changed(current_);
        ++current_;
        ++done_;
    }
    state_ = State::Finished;
    return std::nullopt;
}

std::optional<BatchRequest> CBatchPass::Advance() {
    Changed(current_);
    ++current_;
    ++done_;
    return Next();
}

std::optional<BatchRequest> CBatchPass::OnValue(std::int32_t key, std::uint32_t value) {
    if (!Running() || key != awaitedKey_)
        return std::nullopt;
    TakeValue(current_, value);
    return Advance();
}

std::optional<BatchRequest> CBatchPass::OnAbort(std::int32_t key, std::uint32_t code) {
    if (!Running() || key != awaitedKey_)
        return std::nullopt;
    TakeAbort(current_, code);
    return Advance();
}

std::optional<BatchRequest> CBatchPass::OnNoReply() {
    if (!Running())
        return std::nullopt;
    TakeNoReply(current_);
    return Advance();
}

void CBatchPass::Cancel() {
    if (Running())
        cancel_ = true;
}

void CBatchPass::LinkLost() {
    if (!Running())
        return;
    TakeNoReply(current_);
    Changed(current_);
    ++done_;
    state_ = State::LinkLost;
}

QString CBatchPass::StatusText() const {
    switch (state_) {
        case State::Cancelled:
            return QStringLiteral("Cancelled: %1 of %2 rows done").arg(done_).arg(RowCount());
        case State::LinkLost:
            return QStringLiteral("Comm link lost: %1 of %2 rows done").arg(done_).arg(RowCount());
        default:
            return FinishText();
    }
}

}  // namespace drvdata
