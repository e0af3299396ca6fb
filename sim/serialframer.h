#pragma once
// The 10-byte serial frame: address, the eight SDO bytes, checksum (all ten add up to 0).
#include <array>
#include <cstdint>
#include <vector>

#include "sdoserver.h"

namespace vsim {

using SerialFrame = std::array<uint8_t, 10>;

class CSerialFramer {
public:
    explicit CSerialFramer(uint8_t address) : address_(address) {}

    // Takes received bytes and returns the requests addressed to this drive. A pause of more
    // than kGapMs drops a partial frame; a bad checksum slides the window by one byte.
    std::vector<SdoFrame> Feed(const uint8_t* data, size_t size, int64_t nowMs);
    int BadChecksums() const { return badChecksums_; }
    // Bytes of a frame still being assembled.
    size_t Pending() const { return pending_.size(); }

    static SerialFrame Encode(uint8_t address, const SdoFrame& sdo);
    static uint8_t Checksum(const uint8_t* nineBytes);

    static constexpr int64_t kGapMs = 50;

private:
    uint8_t address_;
    std::vector<uint8_t> pending_;
    int64_t lastByteMs_ = 0;
    int badChecksums_ = 0;
};

}  // namespace vsim
