#pragma once
// The drive's sample buffer: records of little-endian values, one per active source in the
// order channel 1, channel 2, pair 1/2, channel 3, channel 4, pair 3/4.
#include <array>
#include <cstdint>
#include <vector>

struct RecordLayout {
    std::array<std::uint32_t, 4> source16{};  // last values read from 0x2300:01..04; 0 = none
    std::array<std::uint32_t, 2> source32{};  // 0x2300:05 and :06
    std::array<bool, 4> ticked{};
    std::array<bool, 4> isSigned{};        // of the item selected in each channel
    std::array<std::uint32_t, 4> entry{};  // mapping entry of the item selected in each channel
};

struct RecordSlot {
    int bytes = 0;
    int channel = 0;  // 1..4
    bool isSigned = false;
};

// The slots of one record in buffer order. A pair's value goes to the ticked channel of the
// pair that selected the pair's object; failing that to the first channel when it is ticked,
// else to the second.
std::vector<RecordSlot> RecordSlots(const RecordLayout& layout);

using ChannelSamples = std::array<std::vector<double>, 4>;

// Every whole record within the first `used` bytes; a cut record at the end is left out.
ChannelSamples DecodeSamples(const std::uint8_t* data, int used, const RecordLayout& layout);
