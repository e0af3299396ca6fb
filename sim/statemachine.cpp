#include "statemachine.h"

namespace vsim {

namespace {

enum class Command { DisableVoltage, QuickStop, Shutdown, SwitchOn, EnableOperation };

Command Decode(uint16_t cw) {
    if (!(cw & 0x02))
        return Command::DisableVoltage;
    if (!(cw & 0x04))
        return Command::QuickStop;
    if (!(cw & 0x01))
        return Command::Shutdown;
    return (cw & 0x08) ? Command::EnableOperation : Command::SwitchOn;
}

}  // namespace

DriveState CStateMachine::Next(uint16_t cw) const {
    using S = DriveState;
    const Command c = Decode(cw);
    if (c == Command::DisableVoltage)
        return S::SwitchOnDisabled;
    switch (state_) {
        case S::SwitchOnDisabled:
            return c == Command::Shutdown ? S::ReadyToSwitchOn : state_;
        case S::ReadyToSwitchOn:
        case S::SwitchedOn:
            if (c == Command::QuickStop)
                return S::SwitchOnDisabled;
            if (c == Command::Shutdown)
                return S::ReadyToSwitchOn;
            return c == Command::SwitchOn ? S::SwitchedOn : S::OperationEnabled;
        case S::OperationEnabled:
            if (c == Command::QuickStop)
                return S::QuickStopActive;
            if (c == Command::Shutdown)
                return S::ReadyToSwitchOn;
            return c == Command::SwitchOn ? S::SwitchedOn : state_;
        case S::QuickStopActive:
            return c == Command::EnableOperation ? S::OperationEnabled : state_;
        case S::Fault:
            return state_;
    }
    return state_;
}

void CStateMachine::Control(uint16_t cw, bool errorActive) {
    const bool reset = FaultResetEdge(cw);
    lastControl_ = cw;
    if (state_ == DriveState::Fault) {
        if (reset && !errorActive)
            state_ = DriveState::SwitchOnDisabled;
        return;
    }
    if (errorActive) {
        state_ = DriveState::Fault;
        return;
    }
    if (!(cw & 0x80))
        state_ = Next(cw);
}

void CStateMachine::Update(bool errorActive) {
    if (errorActive)
        state_ = DriveState::Fault;
}

uint16_t CStateMachine::StatusWord(bool targetReached) const {
    uint16_t sw = 0x0200;  // remote: the drive obeys the controlword
    switch (state_) {
        case DriveState::SwitchOnDisabled:
            sw |= 0x0040;
            break;
        case DriveState::ReadyToSwitchOn:
            sw |= 0x0031;
            break;
        case DriveState::SwitchedOn:
            sw |= 0x0033;
            break;
        case DriveState::OperationEnabled:
            sw |= 0x0037;
            break;
        case DriveState::QuickStopActive:
            sw |= 0x0017;
            break;
        case DriveState::Fault:
            sw |= 0x0008;
            break;
    }
    if (targetReached)
        sw |= 0x0400;
    return sw;
}

}  // namespace vsim
