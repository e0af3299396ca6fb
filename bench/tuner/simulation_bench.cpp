// One tuner simulation run through the simulation module (nzsim.so of the runtime folder): six
// active filters over 1 .. 999 Hz (6 x 999 filter calls) and the velocity and position loops
// at the 332 analysed points of the largest scan (2 x 332 loop calls). Goal: under 20 ms.
// The filter and loop parts are timed on their own beside the whole run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tuner/scananalysis.h"
#include "tuner/simlibrary.h"
#include "tuner/simulation.h"

namespace {

constexpr double kGoalMs = 20.0;
constexpr int kRounds = 31;

// The largest scan the start checks allow: 4 .. 1000 Hz in steps of 3 (333 points).
void LargestScan(CScanData& data, CScanResults& scan) {
    data.scanFrom = 4, data.scanEnd = 1000, data.scanStep = 3;
    data.excitationAmplitude = 100;
    data.RecountPoints();
    for (int i = 0; i < data.pointCount; ++i) {
        float f = float(data.Frequency(i));
        scan.responseRe[i] = 100 * 576 * 0.3f / f;
        scan.responseIm[i] = -100 * 576 * 3.0f / f;
    }
}

void AllFiltersActive(CFilterEntry (&filters)[kFilterCount]) {
    const float params[kFilterCount][4] = {{100, 0, 0, 0},         {200, 0, 0.5f, 0},
                                           {250, 0.707f, 50, -20}, {0, 0, -10, 100},
                                           {0, 0.7f, -6, 300},     {10, 0, 0.001f, 0}};
    for (int r = 0; r < kFilterCount; ++r) {
        filters[r].type = std::uint8_t(r + 1);
        filters[r].active = 1;
        std::copy(params[r], params[r] + 4, filters[r].p);
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double MedianMs(F&& run) {
    std::vector<double> ms;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(ms);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CSimLibrary lib;
    if (!lib.Load(QStringLiteral(VELTO_RUNTIME_DIR))) {
        std::fprintf(stderr, "nzsim.so not found in %s\n", VELTO_RUNTIME_DIR);
        return 1;
    }
    CScanData data;
    CScanResults scan;
    LargestScan(data, scan);
    CFilterEntry filters[kFilterCount];
    CModelEntry models[kFilterCount];
    AllFiltersActive(filters);
    BuildModelTable(filters, models);
    static CSimulationResults out;
    const CLoopGains gains{300, 4, 30};

    double whole = MedianMs([&] { RunSimulation(lib, data, scan, gains, filters, models, out); });
    CFilterEntry none[kFilterCount];
    double loops = MedianMs([&] { RunSimulation(lib, data, scan, gains, none, models, out); });
    CScanData empty;
    empty.pointCount = 0;
    double filtersOnly =
        MedianMs([&] { RunSimulation(lib, empty, scan, gains, filters, models, out); });
    float check = 0;
    for (int k = 1; k < kFilterPoints; ++k) check += out.filterMagnitude[2][k];

    std::printf(
        "simulation run (6 x 999 filter + 2 x %d loop calls): %.3f ms, goal %.0f ms, "
        "ratio to goal %.3f\n",
        data.pointCount - 1, whole, kGoalMs, whole / kGoalMs);
    std::printf(
        "  filter calls alone %.3f ms (%.1f ns a call), loop calls alone %.3f ms "
        "(%.1f ns a call); filters : loops = %.2f\n",
        filtersOnly, filtersOnly * 1e6 / (6 * 999), loops,
        loops * 1e6 / (2 * (data.pointCount - 1)), filtersOnly / loops);
    std::printf("  (checksum %.3f)\n", double(check));
    return whole < kGoalMs ? 0 : 2;
}
