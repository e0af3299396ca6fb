// The frequency scan 0x3040: the read-out words, analysed the way the program analyses them,
// must give the load model's gain and phase.
#include <gtest/gtest.h>

#include <cmath>

#include "abortcode.h"
#include "drive.h"
#include "freqscan.h"
#include "sim_table.h"

namespace {

constexpr float kPi = 3.1415927f;

int PhaseDegrees(float re, float im) {
    float a = re != 0 ? std::atan(im / re) : (im > 0 ? kPi / 2 : -kPi / 2);
    const float deg = re >= 0 ? a * 180 / kPi + 0.5f : (a - kPi) * 180 / kPi + 0.5f;
    return int(deg);
}

// The program's rearrangement of a response word.
int32_t Rearranged(uint32_t v) {
    return int32_t((v & 0xFFFF) << 16 | ((v >> 16) & 0xFF) << 8 | (v >> 24));
}

class FreqScanTest : public ::testing::Test {
protected:
    uint32_t Put(uint32_t key, int64_t value) {
        int64_t stored = 0;
        return drive.Write(key, value, stored);
    }
    int64_t Get(uint32_t key) {
        vsim::ObjectValue v;
        drive.Read(key, v);
        return v.number;
    }
    uint32_t WordAt(uint32_t address) {
        Put(0x304005, address);
        return uint32_t(Get(0x304005));
    }

    vsim::CObjectTable table = TestTable();
    vsim::CDrive drive{table};
};

}  // namespace

TEST(SimResponseWire, ProgramRearrangementRestoresTheValue) {
    for (int32_t v : {0, 1, -1, 0x12345678, -0x12345678, INT32_MAX, INT32_MIN})
        EXPECT_EQ(Rearranged(vsim::ResponseWire(v)), v);
}

TEST_F(FreqScanTest, AnalysisGivesTheModelsGainAndPhase) {
    const int from = 10, step = 10, end = 600, amplitude = 100;
    Put(0x304002, from);
    Put(0x304003, end);
    Put(0x304004, step);
    Put(0x60F910, amplitude);
    ASSERT_EQ(Put(0x304001, 14), 0u);
    EXPECT_EQ(Get(0x304001), 14);
    EXPECT_EQ(Get(0x606000), 15);  // current mode
    EXPECT_EQ(Get(0x604100) & 0x6F, 0x27);
    drive.Tick(16000);
    EXPECT_EQ(Get(0x304001), 14);  // a few seconds
    drive.Tick(5 * 16000);
    ASSERT_EQ(Get(0x304001), 0);
    const int exponent = int(Get(0x30400A));
    const vsim::LoadModel& model = drive.Scan().Model();
    const int points = (end - from) / step + 1;
    double peakGain = 0, peakHz = 0;
    for (int i = 0; i < points - 1; ++i) {
        const int f = from + i * step;
        const uint32_t current = WordAt(uint32_t(2 * i));
        const float cre = float(int16_t(current >> 16)), cim = float(int16_t(current & 0xFFFF));
        int w = 16000 / f, d = 1;
        while (w > 300) w /= 2, d *= 2;
        const float scale = std::ldexp(1.0f, exponent) / 512 / float(w) / float(d);
        const float re = float(Rearranged(WordAt(uint32_t(1024 + 4 * i)))) * scale;
        const float im = float(Rearranged(WordAt(uint32_t(1024 + 4 * i + 2)))) * scale;
        const float c = std::sqrt(cre * cre + cim * cim) / amplitude;
        const float m = std::sqrt(re * re + im * im);
        const float gain = m * 100 / (amplitude * c) / 576;
        const int phase = PhaseDegrees(re, im) - PhaseDegrees(cre, cim);

        const vsim::Complex p = model.Plant(f);
        EXPECT_NEAR(gain, std::abs(p), std::abs(p) * 0.01) << f << " Hz";
        double expected = std::arg(p) * 180 / M_PI;
        double diff = std::remainder(phase - expected, 360.0);
        EXPECT_LE(std::abs(diff), 2.0) << f << " Hz: " << phase << " vs " << expected;
        EXPECT_NEAR(c, std::abs(model.CurrentLoop(f)), 0.02);
        if (gain * f > peakGain)
            peakGain = gain * f, peakHz = f;
    }
    // The resonance stands out above the inertia line (gain ~ 1/f).
    EXPECT_NEAR(peakHz, model.resonanceHz, 20);
    EXPECT_GT(peakGain, 3 * model.gainAt1Hz);
}

TEST_F(FreqScanTest, RefusesBadStartsAndStops) {
    EXPECT_EQ(Put(0x304001, 3), vsim::kAbortValueRange);
    Put(0x304004, 0);  // no step
    EXPECT_EQ(Put(0x304001, 14), vsim::kAbortValueRange);
    Put(0x304004, 3);
    drive.RaiseError(1, 4);
    drive.Tick();
    EXPECT_EQ(Put(0x304001, 14), vsim::kAbortDeviceState);
    drive.ClearErrors();
    Put(0x604000, 0x80);
    ASSERT_EQ(Put(0x304001, 14), 0u);
    ASSERT_EQ(Put(0x304001, 0), 0u);
    EXPECT_EQ(Get(0x304001), 0);
    EXPECT_EQ(WordAt(0), 0u);  // a stopped scan leaves nothing to read
}
