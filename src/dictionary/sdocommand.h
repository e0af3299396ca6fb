#pragma once
// The command bytes of a drive request (CiA 301 SDO): what the pages, the evaluator and the
// control link put into a request, and what the protocol frames.
#include <cstdint>

namespace sdo {
enum : std::uint8_t {
    Read = 0x40,
    Write1 = 0x2F,
    Write2 = 0x2B,
    Write4 = 0x23,
    SegmentEven = 0x60,
    SegmentOdd = 0x70,
    Abort = 0x80,
};

// The segment request that follows the one sent with `command` (0x60 and 0x70 alternate).
inline std::uint8_t NextSegment(std::uint8_t command) {
    return command == SegmentEven ? SegmentOdd : SegmentEven;
}
}  // namespace sdo
