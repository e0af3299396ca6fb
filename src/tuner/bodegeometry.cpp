#include "tuner/bodegeometry.h"

#include <cmath>

namespace bode {
namespace {

int Limited(float y) {
    if (std::isnan(y) || y > kHeight)
        return kHeight;
    if (y < kFarAbove)
        return kFarAbove;
    return static_cast<int>(y);
}

}  // namespace

int X(double hz) {
    double x = kWidth * std::log10(hz) / std::log10(1000.0) + 12;
    if (!(x > kFarAbove))
        return kFarAbove;
    return x > -kFarAbove ? -kFarAbove : static_cast<int>(x);
}

int GainY(float magnitude, int ruler) {
    const float q = static_cast<float>(kHeight / 4);
    return Limited(q - q * (20.0f * std::log10(magnitude)) / static_cast<float>(ruler));
}

int PhaseY(float degrees) {
    const float top = static_cast<float>(3 * kHeight / 4 - 1);
    const float span = static_cast<float>(kHeight / 4 - 1);
    return Limited(top - span * degrees / 180.0f);
}

QString ReadOut(int x, int y, int gainRuler, int phaseRuler) {
    if (x <= 0 || x >= kAreaWidth || y < 0 || y > kHeight)
        return QString();
    const double hz = std::pow(1000.0, double(x - 12) / kWidth);
    const double h = kHeight;
    if (y <= kHeight / 2) {
        double db = (1 - 4 * y / h) * gainRuler;
        return QString::asprintf("X=%0.1fHz,Y=%0.1f dB ", hz, db);
    }
    double degrees = (3 * h - 4 * y) / h * phaseRuler;
    return QString::asprintf("X=%0.1f Hz,Y=%0.1f ", hz, degrees) + QChar(0x00B0);
}

}  // namespace bode
