#pragma once
// Frequency responses of the drive's current loop and of the motor with a two-mass load
// (motor and load inertia coupled by a spring): an anti-resonance, then a resonance.
#include <complex>

namespace vsim {

using Complex = std::complex<double>;

struct LoadModel {
    double gainAt1Hz = 100;    // velocity response per current at low frequency: gain/f
    double inertiaRatio = 2;   // load inertia / motor inertia
    double resonanceHz = 250;  // between 100 and 400 Hz
    double damping = 0.05;     // of the resonance
    double currentLoopHz = 1000;
    double currentDelay = 125e-6;  // seconds: sampling and PWM

    // Velocity response per unit of actual current.
    Complex Plant(double hz) const;
    // Actual current per unit of commanded current.
    Complex CurrentLoop(double hz) const;
    double AntiResonanceHz() const;
};

}  // namespace vsim
