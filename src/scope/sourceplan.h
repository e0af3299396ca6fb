#pragma once
// Which source slot of 0x2300 each requested channel object goes to, as the page decides it:
// an object narrower than 32 bits to the channel's own slot, a 32-bit one to its pair's slot.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "scope/sampledecode.h"

class CAllSdo;

struct ChannelRequest {
    int channel = 0;  // 1..4
    std::int32_t key = 0;
};

struct SourcePlan {
    std::array<std::uint32_t, 4> source16{};  // values for 0x2300:01..04
    std::array<std::uint32_t, 2> source32{};  // 0x2300:05 and :06
    std::array<std::uint32_t, 4> codes{};     // item code per channel, 0 when unused
};

// False with a message when a channel or object cannot be recorded, a channel is named twice,
// or both channels of a pair ask for a 32-bit object (they share one slot).
bool PlanSources(const CAllSdo& dictionary, const std::vector<ChannelRequest>& requests,
                 SourcePlan& plan, QString& error);

// The record layout of a capture made with the plan.
RecordLayout LayoutOf(const SourcePlan& plan);
