// Scan analysis, start checks and the Bode plot's coordinates.
#include <gtest/gtest.h>

#include <cmath>

#include "tuner/bodegeometry.h"
#include "tuner/scananalysis.h"
#include "tuner/scanchecks.h"

namespace {

// A scan whose current equals the amplitude (in phase) and whose response has the given
// gain and phase at every point, as the drive would report it.
CScanData SyntheticScan(int from, int end, int step, float gain, float degrees, int exponent) {
    CScanData d;
    d.scanFrom = from, d.scanEnd = end, d.scanStep = step;
    d.excitationAmplitude = 100;
    d.scaleExponent = exponent;
    d.RecountPoints();
    const float m = gain * 100 * 576 / 100;
    for (int i = 0; i < d.pointCount; ++i) {
        int f = from + i * step, w = 16000 / f, dd = 1;
        while (w > 300) w /= 2, dd *= 2;
        float scale = 512.0f * float(w) * float(dd) / std::ldexp(1.0f, exponent);
        float rad = degrees * 3.1415927f / 180;
        d.excitationRe[i] = 100;
        d.excitationIm[i] = 0;
        d.responseRaw[2 * i] = std::lround(m * std::cos(rad) * scale);
        d.responseRaw[2 * i + 1] = std::lround(m * std::sin(rad) * scale);
    }
    return d;
}

}  // namespace

TEST(PhaseDegrees, TruncatesTowardZeroAfterAddingAHalf) {
    EXPECT_EQ(PhaseDegrees(0, 5), 90);
    EXPECT_EQ(PhaseDegrees(0, -5), -89);
    EXPECT_EQ(PhaseDegrees(-1, 0), -179);
    EXPECT_EQ(PhaseDegrees(1, 1), 45);
    EXPECT_EQ(PhaseDegrees(0, 0), -89);  // re 0 and im not above 0: -pi/2
    EXPECT_EQ(PhaseDegrees(-1, -1), -134);
    EXPECT_EQ(PhaseDegrees(-1, 1), -224);
}

TEST(ResponseWord, BytesB3B2B1B0HoldB1B0B2B3) {
    EXPECT_EQ(RearrangeResponseWord(0xA1B2C3D4u), std::int32_t(0xC3D4B2A1u));
    EXPECT_EQ(RearrangeResponseWord(0x00000001u), 0x00010000);
    EXPECT_EQ(RearrangeResponseWord(0x01000000u), 0x00000001);
}

TEST(ScanAnalysis, NineteenPointsOfWhichEighteenAreAnalysed) {
    CScanData d = SyntheticScan(4, 60, 3, 2.0f, -30.0f, 0);
    ASSERT_EQ(d.pointCount, 19);
    d.responseRaw[2 * 18] = 123456;  // the last point never counts
    CScanResults r;
    AnalyseScan(d, r);
    EXPECT_EQ(r.dataValid, 1);
    for (int i = 0; i < 18; ++i) {
        EXPECT_NEAR(r.gain[i], 2.0f, 0.01f) << i;
        EXPECT_NEAR(r.phaseDifference[i], -29.0f, 1.0f) << i;
        EXPECT_FLOAT_EQ(r.currentRatio[i], 1.0f);
        EXPECT_EQ(r.currentPhase[i], 0.0f);
    }
    EXPECT_EQ(r.gain[18], 0.0f);
}

TEST(ScanAnalysis, ScaleExponentMultipliesOrDivides) {
    for (int e : {-3, 0, 5}) {
        CScanResults r;
        AnalyseScan(SyntheticScan(10, 100, 10, 0.5f, 45.0f, e), r);
        EXPECT_NEAR(r.gain[3], 0.5f, 0.01f) << e;
    }
}

TEST(ScanAnalysis, LoadEstimateAveragesTheFirstFourPoints) {
    CScanData d = SyntheticScan(4, 60, 3, 1.0f, 0.0f, 0);
    CScanResults r;
    AnalyseScan(d, r);
    // c = 1, m = gain x K x 576 / 100 = 576: each term is K x 64 x 576 / (m f) = 6400 / f.
    float expected = 0.25f * (6400.0f / 4 + 6400.0f / 7 + 6400.0f / 10 + 6400.0f / 13);
    EXPECT_NEAR(r.loadEstimate, expected, expected * 1e-3f);
}

TEST(ScanAnalysis, DegenerateScansStayFinite) {
    CScanData d;
    d.pointCount = 1;
    CScanResults r;
    AnalyseScan(d, r);  // nothing to analyse
    EXPECT_EQ(r.loadEstimate, 0.0f);
    d.scanFrom = 0, d.scanEnd = 10, d.scanStep = 1, d.excitationAmplitude = 0;
    d.RecountPoints();
    AnalyseScan(d, r);  // f = 0 and K = 0 must not trap
    d.pointCount = 100000;
    AnalyseScan(d, r);  // a count the arrays cannot hold is not analysed
}

TEST(ScanChecks, LimitsAndTheirMessages) {
    auto check = [](const char* from, const char* end, const char* step, const char* amp) {
        return CheckScanSettings(from, end, step, amp, 2);
    };
    EXPECT_TRUE(check("4", "16", "3", "32").accepted);  // End = From + 4 x Step
    EXPECT_EQ(check("4", "15", "3", "32").message,
              "To's value should be greater than (4*Step+From).");
    EXPECT_EQ(check("3", "100", "3", "32").message, "From's value should be greater than 4.");
    EXPECT_EQ(check("4", "100", "2", "32").message, "Step's value should be greater than 3.");
    EXPECT_TRUE(check("4", "1000", "3", "800").accepted);
    EXPECT_EQ(check("4", "1001", "3", "32").message, "End's value should be less than 1000.");
    for (const char* amp : {"31", "801", "", "x"}) {
        CScanCheck c = check("4", "100", "3", amp);
        EXPECT_FALSE(c.accepted);
        EXPECT_TRUE(c.resetAmplitude);
        EXPECT_EQ(c.message, "Mag Current value's range is from 32 to 800 .");
    }
    // The first failing check decides; Chinese texts for language 1.
    EXPECT_EQ(CheckScanSettings("3", "2000", "1", "1", 1).message, "起始频率 应该大于4.");
    EXPECT_EQ(CheckScanSettings("4", "15", "3", "32", 1).message,
              "截止频率应该大于(4*步进频率+起始频率).");
    CScanCheck ok = check(" 6abc", "60", "4", "100");
    ASSERT_TRUE(ok.accepted);
    EXPECT_EQ(ok.settings.from, 6);
    EXPECT_EQ(ok.settings.amplitude, 100);
}

TEST(BodeGeometry, AxesAndRulers) {
    using namespace bode;
    EXPECT_EQ(X(1), 12);
    EXPECT_EQ(X(10), 12 + kWidth / 3);
    EXPECT_EQ(X(1000), kWidth + 12);
    EXPECT_EQ(GainY(1, 40), 100);
    EXPECT_EQ(GainY(100, 40), 0);
    EXPECT_EQ(GainY(0.01f, 40), 200);
    EXPECT_EQ(GainY(100, 80), 50);
    EXPECT_EQ(GainY(1e-9f, 40), kHeight);  // below the region: held at h
    EXPECT_EQ(GainY(0, 40), kHeight);      // no logarithm: held at h
    EXPECT_LT(GainY(1e6f, 40), 0);         // above the top edge: not limited
    EXPECT_EQ(PhaseY(0), 299);
    EXPECT_EQ(PhaseY(-180), 398);
    EXPECT_EQ(PhaseY(-270), kHeight);
    EXPECT_EQ(PhaseY(std::nanf("")), kHeight);
}

TEST(BodeGeometry, MouseReadOut) {
    EXPECT_TRUE(bode::ReadOut(12, 100, 40, 180).startsWith("X=1.0Hz,Y=0.0 dB "));
    EXPECT_EQ(bode::ReadOut(bode::kWidth + 12, 0, 80, 180), "X=1000.0Hz,Y=80.0 dB ");
    EXPECT_EQ(bode::ReadOut(12, 300, 40, 180), QString("X=1.0 Hz,Y=0.0 °"));
    EXPECT_EQ(bode::ReadOut(12, 400, 40, 360), QString("X=1.0 Hz,Y=-360.0 °"));
    EXPECT_TRUE(bode::ReadOut(0, 100, 40, 180).isEmpty());
    EXPECT_TRUE(bode::ReadOut(12, 401, 40, 180).isEmpty());
}
