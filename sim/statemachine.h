#pragma once
// CiA 402 drive state machine: the controlword drives it, an active error forces Fault.
#include <cstdint>

namespace vsim {

enum class DriveState {
    SwitchOnDisabled,
    ReadyToSwitchOn,
    SwitchedOn,
    OperationEnabled,
    QuickStopActive,
    Fault,
};

class CStateMachine {
public:
    // Applies a written controlword. A rising edge of bit 7 resets a fault when no error
    // is active any more (the caller clears latched errors first).
    void Control(uint16_t controlword, bool errorActive);
    // Each cycle: an error takes the drive to Fault, whatever it was doing.
    void Update(bool errorActive);
    uint16_t StatusWord(bool targetReached) const;
    DriveState State() const { return state_; }
    bool PowerStage() const {
        return state_ == DriveState::OperationEnabled || state_ == DriveState::QuickStopActive;
    }
    bool FaultResetEdge(uint16_t controlword) const {
        return (controlword & 0x80) && !(lastControl_ & 0x80);
    }
    void PowerUp() { state_ = DriveState::SwitchOnDisabled, lastControl_ = 0; }
    // The frequency scan enables the drive by itself.
    void ForceEnable() {
        if (state_ != DriveState::Fault)
            state_ = DriveState::OperationEnabled;
    }

private:
    DriveState Next(uint16_t cw) const;

    DriveState state_ = DriveState::SwitchOnDisabled;
    uint16_t lastControl_ = 0;
};

}  // namespace vsim
