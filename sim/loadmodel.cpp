#include "loadmodel.h"

#include <cmath>

namespace vsim {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double LoadModel::AntiResonanceHz() const {
    return resonanceHz / std::sqrt(1 + inertiaRatio);
}

Complex LoadModel::Plant(double hz) const {
    // Motor velocity per torque: (J2 s^2 + c s + k) / (s (J1 J2 s^2 + c (J1+J2) s + k (J1+J2)))
    // with J1 = 1; normalised so that the low-frequency asymptote is gainAt1Hz / f.
    const Complex s(0, 2 * kPi * hz);
    const double j1 = 1, j2 = inertiaRatio;
    const double wr = 2 * kPi * resonanceHz;
    const double k = wr * wr * j1 * j2 / (j1 + j2);
    const double c = 2 * damping * wr * j1 * j2 / (j1 + j2);
    const Complex num = j2 * s * s + c * s + k;
    const Complex den = s * (j1 * j2 * s * s + c * (j1 + j2) * s + k * (j1 + j2));
    return 2 * kPi * gainAt1Hz * num / den;
}

Complex LoadModel::CurrentLoop(double hz) const {
    const Complex s(0, 2 * kPi * hz);
    const double wc = 2 * kPi * currentLoopHz;
    return wc / (s + wc) * std::exp(-s * currentDelay);
}

}  // namespace vsim
