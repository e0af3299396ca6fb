#include "scope/sampledecode.h"

namespace {

double ReadValue(const std::uint8_t* p, const RecordSlot& slot) {
    if (slot.bytes == 2) {
        const std::uint16_t v = std::uint16_t(p[0] | p[1] << 8);
        return slot.isSigned ? double(std::int16_t(v)) : double(v);
    }
    const std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                            std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    return slot.isSigned ? double(std::int32_t(v)) : double(v);
}

void AddSixteen(std::vector<RecordSlot>& plan, const RecordLayout& l, int channel) {
    if (l.source16[std::size_t(channel - 1)] != 0)
        plan.push_back({2, channel, l.isSigned[std::size_t(channel - 1)]});
}

void AddPair(std::vector<RecordSlot>& plan, const RecordLayout& l, int first) {
    if (l.source32[std::size_t(first / 2)] == 0)
        return;
    const std::uint32_t source = l.source32[std::size_t(first / 2)];
    auto owns = [&](int ch) {
        return l.ticked[std::size_t(ch - 1)] && l.entry[std::size_t(ch - 1)] == source;
    };
    int channel = l.ticked[std::size_t(first - 1)] ? first : first + 1;
    if (owns(first) || owns(first + 1))
        channel = owns(first) ? first : first + 1;
    plan.push_back({4, channel, l.isSigned[std::size_t(channel - 1)]});
}

}  // namespace

std::vector<RecordSlot> RecordSlots(const RecordLayout& layout) {
    std::vector<RecordSlot> plan;
    AddSixteen(plan, layout, 1);
    AddSixteen(plan, layout, 2);
    AddPair(plan, layout, 1);
    AddSixteen(plan, layout, 3);
    AddSixteen(plan, layout, 4);
    AddPair(plan, layout, 3);
    return plan;
}

ChannelSamples DecodeSamples(const std::uint8_t* data, int used, const RecordLayout& layout) {
    ChannelSamples samples;
    const std::vector<RecordSlot> plan = RecordSlots(layout);
    int recordBytes = 0;
    for (const RecordSlot& s : plan) recordBytes += s.bytes;
    if (recordBytes == 0 || !data)
        return samples;
    for (int at = 0; at + recordBytes <= used; at += recordBytes) {
        const std::uint8_t* p = data + at;
        for (const RecordSlot& s : plan) {
            samples[std::size_t(s.channel - 1)].push_back(ReadValue(p, s));
            p += s.bytes;
        }
    }
    return samples;
}
