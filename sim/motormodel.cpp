#include "motormodel.h"

#include <algorithm>
#include <cmath>

namespace vsim {

namespace {
constexpr double kAccelPerMille = 30;  // rpm/s per per mille of torque (motor and load inertia)
constexpr double kFriction = 0.004;    // viscous friction, per mille per rpm
constexpr double kVelocityKp = 2.0;    // per mille per rpm
constexpr double kVelocityKi = 60.0;   // per mille per rpm and second
constexpr double kPositionKp = 0.6;    // rpm per increment of following error
constexpr double kTorqueLimit = 3000;
constexpr double kPi = 3.14159265358979;

double Ramp(double from, double to, double step) {
    return from + std::clamp(to - from, -step, step);
}
}  // namespace

double CMotorModel::VelocityDemandFor(const MotorCommand& c, double dt) {
    const double step = std::max(c.acceleration, 1.0) * dt;
    if (c.quickStop)
        return Ramp(velocityDemand, 0, 4 * step);
    switch (c.mode) {
        case 1:  // profile position and cyclic synchronous position
        case 8: {
            const double perSecond = std::abs(c.profileVelocity) / 60 * kIncrementsPerTurn;
            positionDemand = Ramp(positionDemand, c.targetPosition, perSecond * dt);
            return (positionDemand - position) * kPositionKp;
        }
        case 3:
        case 9:
        case -3:
            positionDemand = position;
            return Ramp(velocityDemand, c.targetVelocity, step);
        default:  // homing and the vendor modes hold still
            positionDemand = position;
            return Ramp(velocityDemand, 0, step);
    }
}

void CMotorModel::Step(const MotorCommand& c, double dt) {
    time += dt;
    if (!c.powered) {
        positionDemand = position;
        velocityDemand = torqueDemand = integral_ = 0;
    } else if (c.mode == 4 || c.mode == 10) {
        positionDemand = position;
        velocityDemand = velocity;
        torqueDemand = c.targetTorque;
    } else if (c.mode == 15) {  // current mode of the frequency scan
        positionDemand = position;
        velocityDemand = velocity;
        torqueDemand = c.excitation;
    } else {
        velocityDemand = VelocityDemandFor(c, dt);
        const double error = velocityDemand - velocity;
        integral_ = std::clamp(integral_ + kVelocityKi * error * dt, -kTorqueLimit, kTorqueLimit);
        torqueDemand = kVelocityKp * error + integral_;
    }
    torque = std::clamp(torqueDemand, -kTorqueLimit, kTorqueLimit);
    velocity += (torque - kFriction * velocity) * kAccelPerMille * dt;
    if (!c.powered)
        velocity *= std::exp(-dt / 0.3);  // coasting to a stop
    position += velocity / 60 * kIncrementsPerTurn * dt;
    // Small ripple so that curves of a drive at rest still move.
    current = torque + 3 * std::sin(2 * kPi * 50 * time) + 1.5 * std::sin(2 * kPi * 173 * time);
    busVoltage = 310 - 0.004 * std::abs(current) + 0.8 * std::sin(2 * kPi * 100 * time);
    const double heating = 40 * (current / 1000) * (current / 1000);
    temperature += (30 + heating - temperature) * dt / 300;
}

bool CMotorModel::TargetReached(const MotorCommand& c) const {
    switch (c.mode) {
        case 1:
        case 8:
            return std::abs(c.targetPosition - position) < 10 && std::abs(velocity) < 5;
        case 3:
        case 9:
        case -3:
            return std::abs(c.targetVelocity - velocity) < 10;
        case 4:
        case 10:
            return std::abs(c.targetTorque - torque) < 5;
        default:
            return true;
    }
}

}  // namespace vsim
