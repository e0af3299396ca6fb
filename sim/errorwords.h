#pragma once
// Error status words 0x2601/0x2602 with their switch words (masks) 0x2600 and 0x2605:04,
// and the history of the last eight errors, 0x2610..0x2617 (:01 code, :07 time in ms).
#include <cstdint>

#include "objectvalues.h"

namespace vsim {

class CErrorWords {
public:
    explicit CErrorWords(CObjectValues& values) : values_(values) {}

    // Latches an error bit (word 1 or 2); it counts only while its switch bit is set.
    bool Raise(int word, int bit, uint32_t timeMs);
    // Fault reset: latched errors go.
    void ClearLatched();
    // Errors that are latched and switched on, by word.
    uint16_t Active(int word) const;
    bool Any() const { return Active(1) || Active(2); }
    // Copies the words into their objects (each cycle).
    void Publish();
    // The error code an error bit is reported with in the history.
    static uint16_t Code(int word, int bit);

private:
    void Record(uint16_t code, uint32_t timeMs);

    CObjectValues& values_;
    uint16_t latched_[2] = {0, 0};
};

}  // namespace vsim
