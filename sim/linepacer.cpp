#include "linepacer.h"

#include <algorithm>

namespace vsim {

namespace {
constexpr int64_t kBitsPerByte = 10;
constexpr int64_t kNsPerSecond = 1000000000;
}  // namespace

int64_t CLinePacer::WireNs(int bytes) const {
    if (!Paced() || bytes <= 0)
        return 0;
    return int64_t(bytes) * kBitsPerByte * kNsPerSecond / baud_;
}

int64_t CLinePacer::RequestDone(int64_t firstNs, int bytes) {
    inFreeNs_ = std::max(firstNs, inFreeNs_) + WireNs(bytes);
    return inFreeNs_;
}

int64_t CLinePacer::ReplyDue(int64_t readyNs, int64_t requestDoneNs, int bytes) {
    outFreeNs_ = std::max({readyNs, requestDoneNs, outFreeNs_}) + WireNs(bytes);
    return outFreeNs_;
}

}  // namespace vsim
