#include "serialframer.h"

#include <algorithm>

namespace vsim {

uint8_t CSerialFramer::Checksum(const uint8_t* nineBytes) {
    uint8_t sum = 0;
    for (int i = 0; i < 9; ++i) sum = uint8_t(sum + nineBytes[i]);
    return uint8_t(-sum);
}

SerialFrame CSerialFramer::Encode(uint8_t address, const SdoFrame& sdo) {
    SerialFrame f{};
    f[0] = address;
    std::copy(sdo.begin(), sdo.end(), f.begin() + 1);
    f[9] = Checksum(f.data());
    return f;
}

std::vector<SdoFrame> CSerialFramer::Feed(const uint8_t* data, size_t size, int64_t nowMs) {
    std::vector<SdoFrame> requests;
    if (size == 0)
        return requests;
    if (!pending_.empty() && nowMs - lastByteMs_ > kGapMs)
        pending_.clear();
    lastByteMs_ = nowMs;
    pending_.insert(pending_.end(), data, data + size);
    size_t start = 0;
    while (pending_.size() - start >= 10) {
        const uint8_t* f = pending_.data() + start;
        if (Checksum(f) != f[9]) {
            ++badChecksums_;
            ++start;
            continue;
        }
        if (f[0] == address_) {
            SdoFrame sdo;
            std::copy_n(f + 1, 8, sdo.begin());
            requests.push_back(sdo);
        }
        start += 10;
    }
    pending_.erase(pending_.begin(), pending_.begin() + start);
    return requests;
}

}  // namespace vsim
