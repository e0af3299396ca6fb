#pragma once
// Gain and phase per frequency from the words of a scan, and the load estimate. All
// intermediate values are single precision, as the drive's own tools compute them.
#include <array>
#include <cstdint>

#include "tuner/scandata.h"

struct CScanResults {
    std::array<float, kScanCapacity> currentRatio{};
    std::array<float, kScanCapacity> currentPhase{};
    std::array<float, kScanCapacity> responseRe{};
    std::array<float, kScanCapacity> responseIm{};
    std::array<float, kScanCapacity> phaseDifference{};
    std::array<float, kScanCapacity> gain{};
    float loadEstimate = 0;
    int dataValid = 0;
};

// Angle of (re, im) in whole degrees, -269 .. 90 (see the analysis rules: 0.5 is added and the
// result truncated toward zero); 0 for NaN parts.
int PhaseDegrees(float re, float im);

// A response word as the drive sends it, bytes b3 b2 b1 b0 (high to low), holds the value
// b1 b0 b2 b3.
std::int32_t RearrangeResponseWord(std::uint32_t word);

// Analyses points 0 .. pointCount - 2 of `data` (the last point is not analysed) and sets
// dataValid. Nothing is analysed when pointCount < 2 or the count does not fit the arrays.
void AnalyseScan(const CScanData& data, CScanResults& results);
