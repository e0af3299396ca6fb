#pragma once
// One simulation run: the filter responses over 1 .. 999 Hz and the velocity and position
// loops at every analysed scan frequency, computed by the simulation module.
#include <array>

#include "tuner/filtermodel.h"
#include "tuner/scananalysis.h"
#include "tuner/scandata.h"

class CSimLibrary;

constexpr int kFilterPoints = 1000;  // index k = 1 .. 999 Hz

struct CLoopGains {
    float kvp = 100;
    float kvi = 1;
    float kpp = 1;
};

struct CLoopResponse {
    std::array<float, kScanCapacity> openMagnitude{};
    std::array<float, kScanCapacity> openPhase{};
    std::array<float, kScanCapacity> closedMagnitude{};
    std::array<float, kScanCapacity> closedPhase{};
};

struct CSimulationResults {
    std::array<std::array<float, kFilterPoints>, kFilterCount> filterMagnitude{};
    std::array<std::array<float, kFilterPoints>, kFilterCount> filterPhase{};
    CLoopResponse velocity;
    CLoopResponse position;
    int valid = 0;
};

// Integral corner handed to the module: Kvi / Kvp x 4000 x 0.5 / pi.
float IntegralCorner(const CLoopGains& gains);

// Loop responses for points 0 .. pointCount - 2 and the responses of the active filters;
// sets `valid`. The library must be loaded.
void RunSimulation(const CSimLibrary& lib, const CScanData& data, const CScanResults& scan,
                   const CLoopGains& gains, const CFilterEntry (&filters)[kFilterCount],
                   const CModelEntry (&models)[kFilterCount], CSimulationResults& out);
