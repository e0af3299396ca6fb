#pragma once
// The drive-side frequency scan of objects 0x3040: excites the motor frequency by frequency
// and leaves, for the program to read word by word, the measured current and the velocity
// response of every frequency.
#include <cstdint>
#include <unordered_map>

#include "loadmodel.h"

namespace vsim {

struct ScanSettings {
    int from = 4, end = 60, step = 3;
    int amplitude = 60;
};

class CFreqScan {
public:
    static constexpr int kRunning = 14;
    static constexpr int kMaxPoints = 500;

    // Starts a scan; false when the settings give no frequency or too many.
    bool Start(const ScanSettings& s);
    void Stop() { cyclesLeft_ = 0; }
    // Advances one control cycle; returns true in the cycle the scan completes.
    bool Tick();
    bool Running() const { return cyclesLeft_ > 0; }
    int Status() const { return Running() ? kRunning : 0; }
    // The 32-bit word at a read-out address (0 where nothing is stored).
    uint32_t Word(uint32_t address) const;
    int Exponent() const { return exponent_; }
    // The excitation current now, per mille (zero when idle).
    double Excitation() const;
    void Reset();

    const LoadModel& Model() const { return model_; }
    static int Points(const ScanSettings& s) { return (s.end - s.from) / s.step + 1; }

private:
    void Compute();

    LoadModel model_;
    ScanSettings settings_;
    int64_t cyclesLeft_ = 0, cyclesTotal_ = 0;
    int exponent_ = 0;
    std::unordered_map<uint32_t, uint32_t> words_;
};

// The response word as the drive sends it: bytes x3 x2 x1 x0 (high to low) go out as
// x0 x1 x3 x2, which the program's rearrangement turns back into x3 x2 x1 x0.
uint32_t ResponseWire(int32_t value);

}  // namespace vsim
