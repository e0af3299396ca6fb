#include "iowords.h"

#include "drivekeys.h"

namespace vsim {

namespace {
// Function sets of DOUT1..DOUT7.
constexpr uint32_t kOutputFunctions[] = {0x20100F, 0x201010, 0x201011, 0x201012,
                                         0x201013, 0x20101E, 0x20101F};
}  // namespace

uint16_t CIoWords::OutputLogic(const DriveFlags& f) const {
    // First function table: bit 0 ready (no fault), bit 1 fault, bit 2 enabled,
    // bit 3 target reached; other functions leave the output off.
    uint16_t logic = 0;
    for (int i = 0; i < 7; ++i) {
        const uint16_t fn = uint16_t(values_.Get(kOutputFunctions[i]));
        if (fn & 0x8000)
            continue;
        const bool on = ((fn & 1) && !f.fault) || ((fn & 2) && f.fault) ||
                        ((fn & 4) && f.enabled) || ((fn & 8) && f.targetReached);
        if (on)
            logic |= uint16_t(1u << i);
    }
    return logic;
}

void CIoWords::Publish(const DriveFlags& flags) {
    const uint16_t inPolarity = uint16_t(values_.Get(keys::kIoInputPolarity));
    const uint16_t inSimulated = uint16_t(values_.Get(keys::kIoInputSimulation));
    values_.Set(keys::kIoInputLevels, inputLevels_);
    // A simulated input counts as active whatever its level.
    values_.Set(keys::kIoInputVirtual, ((inputLevels_ ^ inPolarity) | inSimulated) & 0xFF);
    const uint16_t outPolarity = uint16_t(values_.Get(keys::kIoOutputPolarity));
    const uint16_t outSimulated = uint16_t(values_.Get(keys::kIoOutputSimulation));
    values_.Set(keys::kIoOutputLevels, ((OutputLogic(flags) | outSimulated) ^ outPolarity) & 0x7F);
}

}  // namespace vsim
