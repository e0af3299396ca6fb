#pragma once
// What one frequency scan holds: its settings, the drive values recorded with it and the raw
// words read back from the drive. The tuner dialog, the scan file and veltoctl share it.
#include <array>
#include <cstdint>

constexpr int kScanCapacity = 500;  // points the arrays hold

struct CScanData {
    int scanFrom = 4;
    int scanEnd = 60;
    int scanStep = 3;
    int pointCount = 19;
    int excitationAmplitude = 32;
    int scaleExponent = 0;

    // Drive values kept for the file header (0x60F9:01, 0x60F9:02, 0x6410:03, 0x6073:00).
    float velocityGain = 0;
    float velocityIntegral = 0;
    int rotorInertia = 0;
    int maxCurrent = 0;
    int bufferPoints = 0;  // 0x3040:06, stored only

    std::array<std::int32_t, kScanCapacity> excitationRe{};
    std::array<std::int32_t, kScanCapacity> excitationIm{};
    std::array<std::int32_t, 2 * kScanCapacity> responseRaw{};

    // (end - from) / step + 1; 0 for a step of 0 (no scan can have one).
    static int PointCount(int from, int end, int step);
    void RecountPoints() { pointCount = PointCount(scanFrom, scanEnd, scanStep); }
    // Frequency of point i (Hz), in 64 bits so an imported header cannot overflow it.
    std::int64_t Frequency(int i) const {
        return std::int64_t(scanFrom) + std::int64_t(i) * scanStep;
    }
    // The count fits the arrays (0 .. 500).
    bool CountFits() const { return pointCount >= 0 && pointCount <= kScanCapacity; }
};
