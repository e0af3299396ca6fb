#pragma once
// Digital I/O words of index 0x2010: input levels from outside (the control channel),
// polarity and simulation switches, and outputs driven by their function sets.
#include <cstdint>

#include "objectvalues.h"

namespace vsim {

struct DriveFlags {
    bool fault = false;
    bool enabled = false;
    bool targetReached = false;
};

class CIoWords {
public:
    explicit CIoWords(CObjectValues& values) : values_(values) {}

    void SetInputLevels(uint16_t levels) { inputLevels_ = levels & 0xFF; }
    uint16_t InputLevels() const { return inputLevels_; }
    // Recomputes the actual and virtual levels from the switches and the drive's state.
    void Publish(const DriveFlags& flags);

private:
    uint16_t OutputLogic(const DriveFlags& flags) const;

    CObjectValues& values_;
    uint16_t inputLevels_ = 0;
};

}  // namespace vsim
