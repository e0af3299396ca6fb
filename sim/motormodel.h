#pragma once
// A servo motor with its velocity and position loops, enough for live values that follow
// the operating mode and the targets. Units: position in increments (10,000 per turn),
// velocity in rpm, torque and current in per mille of rated, voltage in V, temperature in C.
#include <cstdint>

namespace vsim {

struct MotorCommand {
    bool powered = false;    // power stage on (operation enabled or quick stop)
    bool quickStop = false;  // decelerate to standstill
    int mode = 0;            // CiA 402 modes of operation
    double targetPosition = 0;
    double targetVelocity = 0;
    double targetTorque = 0;
    double profileVelocity = 1000;
    double acceleration = 10000;  // rpm/s
    double excitation = 0;        // current of the frequency scan, per mille
};

class CMotorModel {
public:
    static constexpr double kIncrementsPerTurn = 10000;

    void Step(const MotorCommand& c, double dt);
    void Reset() { *this = CMotorModel{}; }
    bool TargetReached(const MotorCommand& c) const;

    double position = 0, positionDemand = 0;
    double velocity = 0, velocityDemand = 0;
    double torque = 0, torqueDemand = 0, current = 0;
    double busVoltage = 310, temperature = 30;
    double time = 0;  // seconds since power-up; drives the measurement noise

private:
    double VelocityDemandFor(const MotorCommand& c, double dt);
    double integral_ = 0;
};

}  // namespace vsim
