#include "freqscan.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vsim {

namespace {
constexpr double kCycleSeconds = 62.5e-6;
constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kResponseBase = 1024;

int16_t ToInt16(double v) {
    return int16_t(std::clamp(std::lround(v), -32768L, 32767L));
}
}  // namespace

uint32_t ResponseWire(int32_t value) {
    const uint32_t x = uint32_t(value);
    const uint32_t x3 = x >> 24, x2 = (x >> 16) & 0xFF, x1 = (x >> 8) & 0xFF, x0 = x & 0xFF;
    return x0 << 24 | x1 << 16 | x3 << 8 | x2;
}

bool CFreqScan::Start(const ScanSettings& s) {
    if (s.step < 1 || s.from < 1 || s.end < s.from || s.amplitude < 1 || Points(s) > kMaxPoints)
        return false;
    settings_ = s;
    // A real scan dwells on every frequency; a few seconds in all.
    const double seconds = std::min(5.0, 2.0 + 0.01 * Points(s));
    cyclesTotal_ = cyclesLeft_ = int64_t(seconds / kCycleSeconds);
    return true;
}

bool CFreqScan::Tick() {
    if (cyclesLeft_ <= 0)
        return false;
    if (--cyclesLeft_ > 0)
        return false;
    Compute();
    return true;
}

double CFreqScan::Excitation() const {
    if (!Running())
        return 0;
    const double t = double(cyclesTotal_ - cyclesLeft_) * kCycleSeconds;
    const int point = int(Points(settings_) * (cyclesTotal_ - cyclesLeft_) / cyclesTotal_);
    const double hz = settings_.from + point * settings_.step;
    return settings_.amplitude * std::sin(2 * kPi * hz * t);
}

void CFreqScan::Compute() {
    const int n = Points(settings_);
    std::vector<Complex> response(static_cast<size_t>(n));
    words_.clear();
    double largest = 0;
    for (int i = 0; i < n; ++i) {
        const int hz = settings_.from + i * settings_.step;
        const Complex measured = double(settings_.amplitude) * model_.CurrentLoop(hz);
        const int16_t re = ToInt16(measured.real()), im = ToInt16(measured.imag());
        words_[uint32_t(2 * i)] = uint32_t(uint16_t(re)) << 16 | uint16_t(im);
        // The read-out scales the response by 512 * w * d, w * d ~ 16000 / f as the
        // program computes it, and the gain by 100 / 576: undo both here.
        int w = std::max(1, 16000 / hz), d = 1;
        while (w > 300) w /= 2, d *= 2;
        response[size_t(i)] =
            model_.Plant(hz) * Complex(re, im) * 5.76 * 512.0 * double(w) * double(d);
        largest = std::max(
            {largest, std::abs(response[size_t(i)].real()), std::abs(response[size_t(i)].imag())});
    }
    exponent_ = 0;
    while (largest / std::ldexp(1.0, exponent_) > double(1 << 30)) ++exponent_;
    for (int i = 0; i < n; ++i) {
        const Complex r = response[size_t(i)] / std::ldexp(1.0, exponent_);
        words_[kResponseBase + 4 * uint32_t(i)] = ResponseWire(int32_t(std::lround(r.real())));
        words_[kResponseBase + 4 * uint32_t(i) + 2] = ResponseWire(int32_t(std::lround(r.imag())));
    }
}

uint32_t CFreqScan::Word(uint32_t address) const {
    auto it = words_.find(address);
    return it == words_.end() ? 0 : it->second;
}

void CFreqScan::Reset() {
    cyclesLeft_ = cyclesTotal_ = 0;
    exponent_ = 0;
    words_.clear();
}

}  // namespace vsim
