#pragma once
// The drive-side oscilloscope of objects 0x2300: six source slots, a trigger, a record of
// count samples every period cycles, served as one buffer of little-endian samples.
#include <QByteArray>
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "objectvalues.h"

namespace vsim {

class CScope {
public:
    static constexpr int kBufferLimit = 8192;  // bytes of the sample buffer

    explicit CScope(CObjectValues& values) : values_(values) {}

    // Write to 0x2300:sub; 0 or an abort code. The settings are taken when a capture is armed.
    uint32_t Write(uint8_t sub, int64_t value);
    // 0x2300:07: 0 complete (or idle); 1 filling the pre-trigger part; 2 waiting for the
    // trigger; 3 recording after the trigger.
    int State() const { return state_; }
    const QByteArray& Buffer() const { return buffer_; }
    void Tick();
    void Reset();

private:
    struct Slot {
        uint32_t key = 0;
        int bytes = 0;  // 2 or 4 in the record
    };
    using Sample = std::vector<int64_t>;

    bool ValidSource(uint32_t entry, int slotBits) const;
    void Arm();
    int64_t SourceValue(uint32_t entry) const;
    bool Triggered(int64_t value);
    void Finish();

    CObjectValues& values_;
    int state_ = 0;
    std::vector<Slot> slots_;  // record order :01, :02, :05, :03, :04, :06
    int64_t period_ = 1, count_ = 1, preTrigger_ = 0, cycle_ = 0, afterTrigger_ = 0;
    uint32_t triggerSource_ = 0;
    int edge_ = 0;
    int64_t level_ = 0, lastTrigger_ = 0;
    bool haveLast_ = false;
    std::deque<Sample> record_;
    QByteArray buffer_;
};

}  // namespace vsim
