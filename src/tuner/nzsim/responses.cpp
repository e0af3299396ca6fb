#include "tuner/nzsim/responses.h"

#include <algorithm>
#include <cmath>

namespace nzsim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMinDamping = 1e-4;
constexpr double kMinHz = 1e-3;
constexpr double kDefaultTs = 1e-3;
constexpr double kNotchNominalDamping = 0.707;

double Omega(double hz) {
    return 2 * kPi * hz;
}

double Positive(double v, double fallback) {
    return v > 0 ? v : fallback;
}

Complex LowPass1(const double* m, Complex s) {
    if (m[0] <= 0)
        return 1.0;
    return 1.0 / (1.0 + s / Omega(m[0]));
}

Complex LowPass2(const double* m, Complex s) {
    if (m[0] <= 0)
        return 1.0;
    double wc = Omega(m[0]), z = Positive(m[2], kMinDamping);
    return wc * wc / (s * s + 2 * z * wc * s + wc * wc);
}

Complex Notch(const double* m, Complex s) {
    if (m[0] <= 0)
        return 1.0;
    double w0 = Omega(m[0]);
    double k = Positive(m[1], kNotchNominalDamping) / kNotchNominalDamping;
    double zn = std::max(m[2], 0.0) * k, zd = Positive(m[3] * k, kMinDamping);
    return (s * s + zn * w0 * s + w0 * w0) / (s * s + zd * w0 * s + w0 * w0);
}

Complex LeadLag1(const double* m, Complex s) {
    if (m[0] <= 0 || m[1] <= 0)
        return 1.0;
    return (1.0 + s / Omega(m[1])) / (1.0 + s / Omega(m[0]));
}

Complex LeadLag2(const double* m, Complex s) {
    if (m[0] <= 0 || m[1] <= 0)
        return 1.0;
    Complex zero = s / Omega(m[1]), pole = s / Omega(m[0]);
    double zn = std::max(m[2], 0.0), zd = Positive(m[3], kMinDamping);
    return (1.0 + zn * zero + zero * zero) / (1.0 + zd * pole + pole * pole);
}

Complex MovingAverage(const double* m, Complex s) {
    double n = std::max(1.0, std::round(m[0]));
    double ts = Positive(m[2], kDefaultTs);
    Complex one = 1.0 - std::exp(-s * ts);
    if (std::abs(one) < 1e-12)
        return 1.0;  // a multiple of the sampling rate: every sample alike
    return (1.0 - std::exp(-s * ts * n)) / (n * one);
}

}  // namespace

bool FilterResponse(const FilterSlot& f, double hz, Complex& h) {
    const Complex s(0, Omega(hz));
    switch (f.type) {
        case 0:
            h = 1.0;
            return true;
        case 1:
            h = LowPass1(f.m, s);
            return true;
        case 2:
            h = LowPass2(f.m, s);
            return true;
        case 3:
            h = Notch(f.m, s);
            return true;
        case 4:
            h = LeadLag1(f.m, s);
            return true;
        case 5:
            h = LeadLag2(f.m, s);
            return true;
        case 6:
            h = MovingAverage(f.m, s);
            return true;
        default:
            h = 1.0;
            return false;
    }
}

bool OpenLoop(int mode, double gainA, double gainB, double hz, Complex plant,
              const FilterSlot* filters, int count, Complex& open) {
    if (mode != -128 && mode != 0)
        return false;
    const Complex s(0, Omega(hz == 0 ? kMinHz : hz));
    Complex chain = plant;
    for (int i = 0; i < count; ++i) {
        Complex h;
        FilterResponse(filters[i], hz, h);
        chain *= h;
    }
    if (mode == -128)
        open = gainA * (1.0 + gainB / s) * chain;
    else
        open = gainA * chain / s;
    return true;
}

double Degrees(Complex z) {
    if (z == Complex(0, 0))
        return 0;
    return std::atan2(z.imag(), z.real()) * 180.0 / kPi;
}

}  // namespace nzsim
