#include "scope.h"

#include <algorithm>

#include "abortcode.h"

namespace vsim {

namespace {
constexpr uint32_t Key(uint8_t sub) {
    return 0x230000u | sub;
}
constexpr uint8_t kRecordOrder[] = {1, 2, 5, 3, 4, 6};  // the sample layout of the buffer
}  // namespace

bool CScope::ValidSource(uint32_t entry, int slotBits) const {
    if (entry == 0)
        return true;
    const SimObject* o = values_.Table().Find(entry >> 8);
    const int width = int(entry & 0xFF);
    return o && !o->isString && o->width == width && width <= slotBits;
}

uint32_t CScope::Write(uint8_t sub, int64_t value) {
    const uint32_t entry = uint32_t(value);
    switch (sub) {
        case 1:
        case 2:
        case 3:
        case 4:
            return ValidSource(entry, 16) ? 0u : uint32_t(kAbortValueRange);
        case 5:
        case 6:
        case 0x0C:
            return ValidSource(entry, 32) ? 0u : uint32_t(kAbortValueRange);
        case 7:
            if (value == 1) {
                Arm();
            } else if (value == 0) {
                state_ = 0;  // cancelled; the last complete record stays readable
                record_.clear();
            } else {
                return kAbortValueRange;
            }
            return 0;
        default:
            return 0;
    }
}

void CScope::Arm() {
    slots_.clear();
    for (uint8_t sub : kRecordOrder) {
        const uint32_t entry = uint32_t(values_.Get(Key(sub)));
        if (entry == 0)
            continue;
        slots_.push_back({entry >> 8, sub >= 5 ? 4 : 2});
    }
    period_ = std::max<int64_t>(1, values_.Get(Key(0x08)));
    count_ = std::max<int64_t>(1, values_.Get(Key(0x0A)));
    preTrigger_ = std::clamp<int64_t>(values_.Get(Key(0x09)), 0, count_ - 1);
    triggerSource_ = uint32_t(values_.Get(Key(0x0C)));
    edge_ = int(values_.Get(Key(0x0B)));
    level_ = values_.Get(Key(0x0D));
    record_.clear();
    cycle_ = afterTrigger_ = 0;
    haveLast_ = false;
    state_ = triggerSource_ == 0 ? 3 : (preTrigger_ > 0 ? 1 : 2);
}

int64_t CScope::SourceValue(uint32_t entry) const {
    return values_.Get(entry >> 8);
}

bool CScope::Triggered(int64_t v) {
    const bool had = haveLast_;
    const int64_t last = lastTrigger_;
    lastTrigger_ = v;
    haveLast_ = true;
    if (!had)
        return false;
    return edge_ == 0 ? (last < level_ && v >= level_) : (last > level_ && v <= level_);
}

void CScope::Tick() {
    if (state_ == 0 || cycle_++ % period_ != 0)
        return;
    Sample sample;
    sample.reserve(slots_.size());
    for (const Slot& s : slots_) sample.push_back(values_.Get(s.key));
    record_.push_back(std::move(sample));
    if (state_ == 3) {
        ++afterTrigger_;
        const int64_t needed = triggerSource_ == 0 ? count_ : count_ - preTrigger_;
        if (afterTrigger_ >= needed)
            Finish();
        return;
    }
    const bool hit = Triggered(SourceValue(triggerSource_));
    if (state_ == 2 && hit) {
        state_ = 3;
        afterTrigger_ = 1;
        if (afterTrigger_ >= count_ - preTrigger_)
            Finish();
        return;
    }
    while (int64_t(record_.size()) > preTrigger_) record_.pop_front();
    if (state_ == 1 && int64_t(record_.size()) >= preTrigger_)
        state_ = 2;
}

void CScope::Finish() {
    buffer_.clear();
    int recordBytes = 0;
    for (const Slot& s : slots_) recordBytes += s.bytes;
    const size_t records =
        recordBytes ? std::min<size_t>(record_.size(), kBufferLimit / recordBytes) : 0;
    buffer_.reserve(int(records) * recordBytes);
    for (size_t r = 0; r < records; ++r) {
        for (size_t i = 0; i < slots_.size(); ++i) {
            const uint32_t v = uint32_t(record_[r][i]);
            for (int b = 0; b < slots_[i].bytes; ++b) buffer_.append(char(v >> (8 * b)));
        }
    }
    record_.clear();
    state_ = 0;
}

void CScope::Reset() {
    state_ = 0;
    record_.clear();
    buffer_.clear();
}

}  // namespace vsim
