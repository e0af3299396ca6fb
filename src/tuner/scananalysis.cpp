#include "tuner/scananalysis.h"

#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;

// 16000 / f halved until it is at most 300; d counts the halvings as a power of two.
void Decimation(std::int64_t f, std::int64_t& w, std::int64_t& d) {
    w = f != 0 ? 16000 / f : 0;
    d = 1;
    while (w > 300) {
        w /= 2;
        d *= 2;
    }
}

// Response part: raw / 512 / w / d, scaled by 2^exponent.
float ResponsePart(std::int32_t raw, std::int64_t w, std::int64_t d, int exponent) {
    float v = static_cast<float>(raw) / 512.0f / static_cast<float>(w) / static_cast<float>(d);
    return std::ldexp(v, exponent);
}

}  // namespace

int PhaseDegrees(float re, float im) {
    float a = re != 0 ? std::atan(im / re) : (im > 0 ? kPi / 2 : -kPi / 2);
    float deg = re >= 0 ? a * 180.0f / kPi + 0.5f : (a - kPi) * 180.0f / kPi + 0.5f;
    return std::isnan(deg) ? 0 : static_cast<int>(deg);  // NaN parts (f = 0 in a file)
}

std::int32_t RearrangeResponseWord(std::uint32_t v) {
    std::uint32_t high = (v & 0xFFFFu) << 16;
    std::uint32_t b2 = (v >> 16) & 0xFFu, b3 = v >> 24;
    return static_cast<std::int32_t>(high | b2 << 8 | b3);
}

void AnalyseScan(const CScanData& data, CScanResults& r) {
    const float k = static_cast<float>(data.excitationAmplitude);
    float sum = 0;
    const int points = data.CountFits() ? data.pointCount : 0;
    for (int i = 0; i + 1 < points; ++i) {
        std::int64_t f = data.Frequency(i);
        std::int64_t w = 0, d = 1;
        Decimation(f, w, d);
        float re = ResponsePart(data.responseRaw[2 * i], w, d, data.scaleExponent);
        float im = ResponsePart(data.responseRaw[2 * i + 1], w, d, data.scaleExponent);
        float xre = static_cast<float>(data.excitationRe[i]);
        float xim = static_cast<float>(data.excitationIm[i]);
        float c = std::sqrt(xre * xre + xim * xim) / k;
        float m = std::sqrt(re * re + im * im);
        if (c == 0)
            c = 1;
        if (m == 0)
            m = 1;
        float pa = static_cast<float>(PhaseDegrees(xre, xim));
        float pr = static_cast<float>(PhaseDegrees(re, im));
        r.currentRatio[i] = c;
        r.currentPhase[i] = pa;
        r.responseRe[i] = re;
        r.responseIm[i] = im;
        r.phaseDifference[i] = pr - pa;
        r.gain[i] = m * 100.0f / (k * c) / 576.0f;
        if (i < 4)
            sum += c * 4.0f * k * 64.0f / (m / 576.0f * 4.0f) / static_cast<float>(f);
    }
    r.loadEstimate = sum * 0.25f;
    r.dataValid = 1;
}
