#pragma once
// The drive's capture objects (index 0x2300) and the item codes that name a capturable object:
// object key x 256 + width in bits, + 1 when the object is signed. With bit 0 cleared an item
// code is the drive's mapping entry.
#include <cstdint>

class CAllSdo;

namespace scope {

enum Sub : int {
    kSource1 = 0x01,   // .. kSource1 + 3: the 16-bit sources of channels 1 to 4
    kSource12 = 0x05,  // the 32-bit source shared by channels 1 and 2
    kSource34 = 0x06,  // the same for channels 3 and 4
    kControl = 0x07,   // write 1: arm; read: 0 data ready, 1..3 capturing
    kPeriod = 0x08,
    kPointerOffset = 0x09,
    kSampleCount = 0x0A,
    kTriggerEdge = 0x0B,
    kTriggerSource = 0x0C,
    kTriggerLevel = 0x0D,
    kSamples = 0x10,
};

constexpr std::int32_t Key(int sub) {
    return 0x2300 * 256 + sub;
}
constexpr bool IsScopeKey(std::int32_t key) {
    return (key >> 8) == 0x2300;
}
constexpr int SubOf(std::int32_t key) {
    return key & 0xFF;
}

constexpr int kBufferBytes = 8192;  // the drive's sample buffer
constexpr int kSegmentBytes = 7;
constexpr int kChannels = 4;

constexpr std::uint32_t MappingEntry(std::uint32_t code) {
    return code & ~1u;
}
constexpr int ItemWidth(std::uint32_t code) {
    return int(code & 0xFE);
}
constexpr bool ItemSigned(std::uint32_t code) {
    return (code & 1u) != 0;
}
constexpr std::int32_t ItemKey(std::uint32_t code) {
    return std::int32_t(code >> 8);
}

// Channels 1..4: the channel's own 16-bit slot, or its pair's 32-bit slot.
constexpr int SourceSub(int channel, std::uint32_t code) {
    return ItemWidth(code) < 32 ? kSource1 + channel - 1 : (channel <= 2 ? kSource12 : kSource34);
}
constexpr int PairSub(int channel) {
    return channel <= 2 ? kSource12 : kSource34;
}

// The item code of a dictionary object; false when it is unknown or not 8, 16 or 32 bits wide.
bool MakeItemCode(const CAllSdo& dictionary, std::int32_t key, std::uint32_t& code);

}  // namespace scope
