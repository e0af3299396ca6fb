#include "tuner/simulation.h"

#include <algorithm>

#include "tuner/simlibrary.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr int kVelocityMode = -128, kPositionMode = 0;

// The module's six outputs: open magnitude and phase, closed magnitude and phase, closed
// imaginary and real part.
struct LoopOut {
    float v[6] = {0, 0, 0, 0, 0, 0};
};

// A zero magnitude would have no logarithm on the plot.
float Drawable(float magnitude) {
    return magnitude == 0 ? 0.01f : magnitude;
}

void Store(const LoopOut& o, CLoopResponse& r, int i) {
    r.openMagnitude[i] = Drawable(o.v[0]);
    r.openPhase[i] = o.v[1];
    r.closedMagnitude[i] = Drawable(o.v[2]);
    r.closedPhase[i] = o.v[3];
}

LoopOut CallLoop(const CSimLibrary& lib, int mode, float a, float b, int f, float re, float im,
                 const CModelEntry* const (&filters)[4]) {
    static const CModelEntry kNone{};
    const CModelEntry* s[4] = {&kNone, &kNone, &kNone, &kNone};
    for (int j = 0; j < 4; ++j) {
        if (filters[j])
            s[j] = filters[j];
    }
    LoopOut o;
    lib.Loop()(mode, a, b, f, re, im, s[0]->type, s[0]->m[0], s[0]->m[1], s[0]->m[2], s[0]->m[3],
               s[1]->type, s[1]->m[0], s[1]->m[1], s[1]->m[2], s[1]->m[3], s[2]->type, s[2]->m[0],
               s[2]->m[1], s[2]->m[2], s[2]->m[3], s[3]->type, s[3]->m[0], s[3]->m[1], s[3]->m[2],
               s[3]->m[3], &o.v[0], &o.v[1], &o.v[2], &o.v[3], &o.v[4], &o.v[5]);
    return o;
}

int ClampedFrequency(std::int64_t f) {
    return static_cast<int>(std::clamp<std::int64_t>(f, INT32_MIN, INT32_MAX));
}

void RunLoops(const CSimLibrary& lib, const CScanData& data, const CScanResults& scan,
              const CLoopGains& gains, const CModelEntry (&models)[kFilterCount],
              CSimulationResults& out) {
    const float k = static_cast<float>(data.excitationAmplitude);
    const float kvi = IntegralCorner(gains);
    const int points = data.CountFits() ? data.pointCount : 0;
    for (int i = 0; i + 1 < points; ++i) {
        int f = ClampedFrequency(data.Frequency(i));
        float re = scan.responseRe[i] / k / 576.0f, im = scan.responseIm[i] / k / 576.0f;
        const CModelEntry* velocitySlots[4] = {&models[0], &models[1], &models[2], &models[3]};
        LoopOut v = CallLoop(lib, kVelocityMode, gains.kvp, kvi, f, re, im, velocitySlots);
        Store(v, out.velocity, i);
        const CModelEntry* positionSlots[4] = {&models[4], &models[5], nullptr, nullptr};
        LoopOut p = CallLoop(lib, kPositionMode, gains.kpp, 0, f, v.v[5], v.v[4], positionSlots);
        Store(p, out.position, i);
    }
}

}  // namespace

float IntegralCorner(const CLoopGains& gains) {
    return gains.kvi / gains.kvp * 4000.0f * 0.5f / kPi;
}

void RunSimulation(const CSimLibrary& lib, const CScanData& data, const CScanResults& scan,
                   const CLoopGains& gains, const CFilterEntry (&filters)[kFilterCount],
                   const CModelEntry (&models)[kFilterCount], CSimulationResults& out) {
    RunLoops(lib, data, scan, gains, models, out);
    for (int r = 0; r < kFilterCount; ++r) {
        if (!filters[r].active)
            continue;
        const CModelEntry& m = models[r];
        for (int hz = 1; hz < kFilterPoints; ++hz)
            lib.Filter()(hz, m.type, m.m[0], m.m[1], m.m[2], m.m[3], &out.filterMagnitude[r][hz],
                         &out.filterPhase[r][hz]);
    }
    out.valid = 1;
}
