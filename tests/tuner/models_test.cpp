// The filter conversion and the simulation module's models against closed forms, through the
// built module (nzsim.so) and its calling contract.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/temp_base.h"
#include "tuner/simlibrary.h"
#include "tuner/simulation.h"

namespace {

float Db(float magnitude) {
    return 20 * std::log10(magnitude);
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lib.Load(RuntimeDir())) << "nzsim.so in the runtime"; }
    // Magnitude (linear) and phase (degrees) of a converted filter at f Hz.
    std::pair<float, float> Filter(const CFilterEntry& e, int hz) {
        CModelEntry m;
        ConvertFilter(e, m);
        float mag = -1, ph = -1;
        lib.Filter()(hz, m.type, m.m[0], m.m[1], m.m[2], m.m[3], &mag, &ph);
        return {mag, ph};
    }
    CFilterEntry Entry(int type, float p1, float p2, float p3, float p4) {
        CFilterEntry e;
        e.type = std::uint8_t(type);
        e.active = 1;
        e.p[0] = p1, e.p[1] = p2, e.p[2] = p3, e.p[3] = p4;
        return e;
    }
    CSimLibrary lib;
};

}  // namespace

TEST(FilterConversion, NotchAndLeadLagParameters) {
    CFilterEntry notch;
    notch.type = 3;
    notch.p[0] = 100, notch.p[1] = 0.707f, notch.p[2] = 50, notch.p[3] = -10;
    CModelEntry m;
    ConvertFilter(notch, m);
    EXPECT_FLOAT_EQ(m.m[0], 100);
    EXPECT_FLOAT_EQ(m.m[1], 0.707f);
    EXPECT_NEAR(m.m[2], 0.5 * std::pow(10.0, -0.25), 1e-6);
    EXPECT_NEAR(m.m[3], 0.5 / std::pow(10.0, -0.25), 1e-6);

    CFilterEntry lead;
    lead.type = 4;
    lead.p[2] = -10, lead.p[3] = 100;
    CModelEntry l;
    l.m[2] = 9, l.m[3] = 8;  // kept: the type does not use them
    ConvertFilter(lead, l);
    EXPECT_NEAR(l.m[0], 100 * std::sqrt(std::pow(10.0, -0.5)), 1e-3);
    EXPECT_NEAR(l.m[0] * l.m[1], 10000, 0.05);
    EXPECT_EQ(l.m[2], 9);
    EXPECT_EQ(l.m[3], 8);

    CFilterEntry lead2;
    lead2.type = 5;
    lead2.p[1] = 0.5f, lead2.p[2] = -20, lead2.p[3] = 200;
    CModelEntry l2;
    ConvertFilter(lead2, l2);
    EXPECT_NEAR(l2.m[0], 200 * std::pow(0.1, 0.25), 1e-3);
    EXPECT_NEAR(l2.m[0] * l2.m[1], 40000, 0.1);
    EXPECT_FLOAT_EQ(l2.m[2], 1.0f);
    EXPECT_FLOAT_EQ(l2.m[3], 1.0f);
}

TEST(FilterConversion, ModelTableKeepsOnlyActiveFilters) {
    CFilterEntry filters[kFilterCount];
    CModelEntry models[kFilterCount];
    filters[2].type = 2, filters[2].active = 1, filters[2].p[0] = 300, filters[2].p[2] = 0.5f;
    filters[4].type = 6, filters[4].p[0] = 4;  // inactive
    BuildModelTable(filters, models);
    for (int r = 0; r < kFilterCount; ++r) EXPECT_EQ(models[r].type, r == 2 ? 2 : 0) << r;
    EXPECT_EQ(models[2].m[0], 300);
    EXPECT_EQ(models[2].m[2], 0.5f);
}

TEST_F(ModuleTest, FiltersMatchTheirClosedForms) {
    // First-order low-pass: -3 dB and -45 degrees at its bandwidth.
    auto [lpMag, lpPh] = Filter(Entry(1, 200, 0, 0, 0), 200);
    EXPECT_NEAR(Db(lpMag), -3.0103f, 1e-3f);
    EXPECT_NEAR(lpPh, -45.0f, 1e-3f);
    // Second-order low-pass: 1 / (2 z) at its corner, -90 degrees.
    auto [lp2Mag, lp2Ph] = Filter(Entry(2, 100, 0, 0.25f, 0), 100);
    EXPECT_NEAR(lp2Mag, 2.0f, 1e-4f);
    EXPECT_NEAR(lp2Ph, -90.0f, 1e-3f);
    // Notch: exactly its depth at the centre, whatever width and damping; unity far away.
    for (float depth : {-10.0f, -20.0f, -3.0f})
        for (float damping : {0.707f, 0.3f}) {
            auto [mag, ph] = Filter(Entry(3, 250, damping, 40, depth), 250);
            EXPECT_NEAR(Db(mag), depth, 1e-3f);
            EXPECT_NEAR(ph, 0.0f, 1e-3f);
        }
    EXPECT_NEAR(Filter(Entry(3, 250, 0.707f, 40, -20), 5).first, 1.0f, 1e-3f);
    // Lead-lag: cut gain at high frequency, unity at low frequency, phase extreme at fc.
    CFilterEntry lag = Entry(4, 0, 0, -10, 100);
    EXPECT_NEAR(Filter(lag, 1).first, 1.0f, 0.01f);
    EXPECT_NEAR(Db(Filter(lag, 99999).first), -10.0f, 0.01f);
    // |1 + j f/m2| / |1 + j f/m1| with m1 = 100 x 10^-0.25 and m2 = 100 x 10^0.25.
    double zero = 999 / (100 * std::pow(10.0, 0.25)), pole = 999 / (100 * std::pow(10.0, -0.25));
    EXPECT_NEAR(Filter(lag, 999).first, std::sqrt((1 + zero * zero) / (1 + pole * pole)), 1e-5);
    float atCentre = Filter(lag, 100).second;
    EXPECT_LT(atCentre, Filter(lag, 80).second);
    EXPECT_LT(atCentre, Filter(lag, 125).second);
    EXPECT_NEAR(Db(Filter(lag, 100).first), -5.0f, 0.01f);  // geometric middle
    CFilterEntry lag2 = Entry(5, 0, 0.7f, -12, 50);
    EXPECT_NEAR(Db(Filter(lag2, 99999).first), -12.0f, 0.01f);
    EXPECT_NEAR(Filter(lag2, 1).first, 1.0f, 0.01f);
}

TEST_F(ModuleTest, MovingAverageHasItsZerosAtTheWindowRate) {
    CFilterEntry maf = Entry(6, 10, 0, 0.001f, 0);  // 10 samples of 1 ms: zeros at 100 Hz
    EXPECT_NEAR(Filter(maf, 1).first, 1.0f, 1e-3f);
    EXPECT_LT(Filter(maf, 100).first, 1e-4f);
    EXPECT_LT(Filter(maf, 200).first, 1e-4f);
    // sin(pi f N Ts) / (N sin(pi f Ts)) at 50 Hz, with the delay of (N - 1) / 2 samples.
    auto [mag, ph] = Filter(maf, 50);
    EXPECT_NEAR(mag, std::sin(3.14159265 * 0.5) / (10 * std::sin(3.14159265 * 0.05)), 1e-4);
    EXPECT_NEAR(ph, -360.0 * 50 * 4.5 * 0.001, 1e-2);
}

TEST_F(ModuleTest, VelocityPiLoopClosesToOneAtLowFrequency) {
    float o[6];
    auto loop = [&](int mode, float a, float b, int f, float re, float im) {
        lib.Loop()(mode, a, b, f, re, im, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   0, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5]);
    };
    // Plant 1 / (j f): an integrator. At 1 Hz the PI loop's gain is far above 1.
    loop(-128, 100, 6.37f, 1, 0, -1.0f);
    EXPECT_GT(o[0], 50.0f);
    EXPECT_NEAR(o[2], 1.0f, 0.02f);
    EXPECT_NEAR(o[3], 0.0f, 1.5f);
    EXPECT_NEAR(o[5], 1.0f, 0.02f);  // real part
    EXPECT_NEAR(o[4], 0.0f, 0.02f);  // imaginary part
    // Open loop L = Kvp (1 + Kvi'/s) P exactly; closed loop L / (1 + L).
    loop(-128, 2, 0, 100, 0.5f, 0.5f);
    EXPECT_NEAR(o[0], std::sqrt(2.0f), 1e-5f);
    EXPECT_NEAR(o[1], 45.0f, 1e-4f);
    EXPECT_NEAR(o[5], (1 + 1 + 1.0f) / (4 + 1), 1e-5f);  // (1+j)/(2+j) = (3+j)/5
    EXPECT_NEAR(o[4], 1.0f / 5, 1e-5f);
    // Position loop: L = Kpp P / s; unknown modes give magnitude 0.
    loop(0, 2 * 3.14159265f * 10, 0, 10, 1, 0);
    EXPECT_NEAR(o[0], 1.0f, 1e-5f);
    EXPECT_NEAR(o[1], -90.0f, 1e-4f);
    EXPECT_EQ(lib.Loop()(7, 1, 1, 10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5]),
              1);
    EXPECT_EQ(o[0], 0.0f);
}

TEST_F(ModuleTest, AtanxAndAMissingModule) {
    EXPECT_TRUE(CSimLibrary::ProbeAtanx(RuntimeDir()));
    TempBase empty;
    EXPECT_FALSE(CSimLibrary::ProbeAtanx(empty.Path()));
    CSimLibrary none;
    EXPECT_FALSE(none.Load(empty.Path()));
    EXPECT_FALSE(none.Loaded());
}

namespace {

struct LoopCall {
    int mode, frequency, types[4];
    float gainA, gainB, re, im;
};
std::vector<LoopCall> g_loopCalls;
int g_filterCalls = 0;

int RecordFilter(int, int, float, float, float, float, float* mag, float* ph) {
    ++g_filterCalls;
    *mag = 1, *ph = 0;
    return 0;
}

int RecordLoop(int mode, float a, float b, int f, float re, float im, int t1, float, float, float,
               float, int t2, float, float, float, float, int t3, float, float, float, float,
               int t4, float, float, float, float, float* o1, float* o2, float* o3, float* o4,
               float* o5, float* o6) {
    g_loopCalls.push_back({mode, f, {t1, t2, t3, t4}, a, b, re, im});
    *o1 = 0, *o2 = 10, *o3 = 0.5f, *o4 = 20, *o5 = 3, *o6 = 4;
    return 0;
}

}  // namespace

TEST(SimulationRun, CallsTheLoopsPerPointAndOnlyActiveFilters) {
    g_loopCalls.clear();
    g_filterCalls = 0;
    CSimLibrary lib(RecordFilter, RecordLoop);
    CScanData data;  // 4 .. 60 step 3: 19 points, 18 simulated
    data.excitationAmplitude = 50;
    CScanResults scan;
    scan.responseRe[1] = 576 * 50 * 2, scan.responseIm[1] = -576 * 50;
    CFilterEntry filters[kFilterCount];
    CModelEntry models[kFilterCount];
    CSimulationResults out;
    CLoopGains gains{200, 4, 30};
    BuildModelTable(filters, models);
    RunSimulation(lib, data, scan, gains, filters, models, out);
    EXPECT_EQ(out.valid, 1);
    EXPECT_EQ(g_filterCalls, 0) << "no filter active";
    ASSERT_EQ(g_loopCalls.size(), 36u);
    const LoopCall& v = g_loopCalls[2];
    EXPECT_EQ(v.mode, -128);
    EXPECT_EQ(v.frequency, 7);
    EXPECT_FLOAT_EQ(v.gainA, 200);
    EXPECT_NEAR(v.gainB, 4.0f / 200 * 2000 / 3.1415927f, 1e-5f);
    EXPECT_FLOAT_EQ(v.re, 2.0f);
    EXPECT_FLOAT_EQ(v.im, -1.0f);
    for (int t : v.types) EXPECT_EQ(t, 0);
    const LoopCall& p = g_loopCalls[3];
    EXPECT_EQ(p.mode, 0);
    EXPECT_FLOAT_EQ(p.gainA, 30);
    EXPECT_FLOAT_EQ(p.re, 4) << "the velocity loop's closed real part";
    EXPECT_FLOAT_EQ(p.im, 3);
    for (int t : p.types) EXPECT_EQ(t, 0);
    EXPECT_FLOAT_EQ(out.velocity.openMagnitude[0], 0.01f) << "a zero magnitude is drawn as 0.01";
    EXPECT_FLOAT_EQ(out.velocity.closedPhase[0], 20);

    filters[1].active = 1, filters[1].p[0] = 100;
    filters[5].active = 1, filters[5].type = 6;
    BuildModelTable(filters, models);
    RunSimulation(lib, data, scan, gains, filters, models, out);
    EXPECT_EQ(g_filterCalls, 2 * 999);
    EXPECT_EQ(g_loopCalls[36].types[1], 1);
    EXPECT_EQ(g_loopCalls[37].types[1], 6);
}
