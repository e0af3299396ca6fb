#include "drive.h"

#include <cmath>

#include "abortcode.h"
#include "drivekeys.h"

namespace vsim {

namespace {
constexpr uint16_t kStoringBit = 0x10;
constexpr int64_t kRestartMagic = 0xAA55;
constexpr uint32_t kCiaStore = 0x101001, kCiaRestore = 0x101101;
constexpr int64_t kSignatureSave = 0x65766173, kSignatureLoad = 0x64616F6C;
constexpr uint32_t kErrorRegister = 0x100100;
}  // namespace

CDrive::CDrive(const CObjectTable& table, CNvMemory* nv)
    : table_(table),
      values_(table),
      ownNv_(nv ? nullptr : std::make_unique<CNvMemory>(QString())),
      nv_(nv ? *nv : *ownNv_),
      scope_(values_),
      errors_(values_),
      io_(values_) {
    PowerUp();
}

void CDrive::PowerUp() {
    values_.RestoreDefaults([](const SimObject&) { return true; });
    nv_.Recall(values_);
    state_.PowerUp();
    motor_.Reset();
    scope_.Reset();
    scan_.Reset();
    errors_.ClearLatched();
    storingCycles_ = 0;
    Publish(true);
}

uint32_t CDrive::Read(uint32_t key, ObjectValue& out) {
    switch (key) {
        case 0x230007:
            out.number = scope_.State();
            return 0;
        case 0x230010:
            out.isBytes = true;
            out.bytes = scope_.Buffer();
            return 0;
        case keys::kScanControl:
            out.number = scan_.Status();
            return 0;
        case keys::kScanWindow:
            out.number = scan_.Word(uint32_t(values_.Get(key)));
            return 0;
        default:
            out.number = values_.Get(key);
            return 0;
    }
}

uint32_t CDrive::Write(uint32_t key, int64_t value, int64_t& stored) {
    uint32_t code = 0;
    const uint16_t index = uint16_t(key >> 8);
    if (key == keys::kControlword) {
        code = WriteControlword(value);
    } else if (index == keys::kScopeIndex) {
        code = scope_.Write(uint8_t(key), value);
    } else if (index == 0x3040) {
        code = WriteScan(uint8_t(key), value);
    } else if (index == 0x2FF0 || key == keys::kRestart) {
        code = WriteStore(key, value);
    } else if (key == kCiaStore || key == kCiaRestore) {
        // CiA 301 signatures "save" and "load"; the objects keep reading 1.
        stored = values_.Get(key);
        return WriteSignature(key, value);
    }
    if (code)
        return code;
    values_.Set(key, value);
    if (key == keys::kSwitchWord1 || key == keys::kSwitchWord2)
        errors_.Publish();
    Publish(true);
    ObjectValue now;
    Read(key, now);
    stored = key == keys::kScanWindow ? values_.Get(key) : now.number;
    return 0;
}

uint32_t CDrive::WriteControlword(int64_t value) {
    const uint16_t cw = uint16_t(value);
    if (state_.FaultResetEdge(cw))
        errors_.ClearLatched();
    state_.Control(cw, errors_.Any());
    return 0;
}

uint32_t CDrive::WriteScan(uint8_t sub, int64_t value) {
    if (sub != 0x01)
        return 0;
    if (value == 0) {
        scan_.Stop();
        return 0;
    }
    if (value != CFreqScan::kRunning)
        return kAbortValueRange;
    if (state_.State() == DriveState::Fault)
        return kAbortDeviceState;
    ScanSettings s;
    s.from = int(values_.Get(keys::kScanFrom));
    s.end = int(values_.Get(keys::kScanEnd));
    s.step = int(values_.Get(keys::kScanStep));
    s.amplitude = values_.Has(keys::kScanAmplitude) ? int(values_.Get(keys::kScanAmplitude)) : 60;
    if (!scan_.Start(s))
        return kAbortValueRange;
    // The scan runs in current mode with the drive enabled by itself.
    values_.Set(keys::kModes, 15);
    state_.ForceEnable();
    return 0;
}

uint32_t CDrive::Store(ParamGroup group) {
    QString error;
    if (!nv_.Store(values_, group, error)) {
        qWarning("veltosim: %s", qPrintable(error));
        return kAbortCannotStore;
    }
    storingCycles_ = kStoreCycles;
    return 0;
}

uint32_t CDrive::WriteStore(uint32_t key, int64_t value) {
    if (key == keys::kMonitorSelector)
        return 0;
    if (key == keys::kRestart) {
        if (value != kRestartMagic)
            return kAbortValueRange;
        Restart();
        return 0;
    }
    if (value == 0)
        return 0;
    if (key == keys::kStoreControl && value == 10) {  // initialise: defaults, not stored
        values_.RestoreDefaults([](const SimObject& o) {
            return CNvMemory::Storable(o) && CNvMemory::InGroup(o, ParamGroup::Control);
        });
        return 0;
    }
    if (value != 1)
        return kAbortValueRange;
    if (key == keys::kStoreControl)
        return Store(ParamGroup::Control);
    if (key == keys::kStoreMotor)
        return Store(ParamGroup::Motor);
    if (key == keys::kStoreAll)
        return Store(ParamGroup::All);
    return 0;
}

uint32_t CDrive::WriteSignature(uint32_t key, int64_t value) {
    if (key == kCiaStore)
        return value == kSignatureSave ? Store(ParamGroup::All) : uint32_t(kAbortCannotStore);
    if (value != kSignatureLoad)
        return kAbortCannotStore;
    QString error;
    if (nv_.Forget(error))
        return 0;
    qWarning("veltosim: %s", qPrintable(error));
    return kAbortCannotStore;
}

MotorCommand CDrive::Command() const {
    MotorCommand c;
    c.powered = state_.PowerStage();
    c.quickStop = state_.State() == DriveState::QuickStopActive;
    c.mode = int(values_.Get(keys::kModes));
    c.targetPosition = double(values_.Get(keys::kTargetPosition));
    c.targetVelocity = double(values_.Get(keys::kTargetVelocity));
    c.targetTorque = double(values_.Get(keys::kTargetTorque));
    if (values_.Get(keys::kProfileVelocity) > 0)
        c.profileVelocity = double(values_.Get(keys::kProfileVelocity));
    if (values_.Get(keys::kProfileAcceleration) > 0)
        c.acceleration = double(values_.Get(keys::kProfileAcceleration));
    c.excitation = scan_.Excitation();
    return c;
}

void CDrive::Publish(bool slowValues) {
    const MotorCommand c = Command();
    auto set = [this](uint32_t key, double v) { values_.Set(key, std::llround(v)); };
    set(keys::kPositionActual, motor_.position);
    set(keys::kPositionInternal, motor_.position);
    set(keys::kPositionDemand, motor_.positionDemand);
    set(keys::kFollowingError, motor_.positionDemand - motor_.position);
    set(keys::kVelocityActual, motor_.velocity);
    set(keys::kVelocityDemand, motor_.velocityDemand);
    set(keys::kTorqueActual, motor_.torque);
    set(keys::kTorqueDemand, motor_.torqueDemand);
    set(keys::kCurrentActual, motor_.current);
    values_.Set(keys::kStatusword, state_.StatusWord(motor_.TargetReached(c)));
    values_.Set(keys::kModesDisplay, values_.Get(keys::kModes));
    values_.Set(kErrorRegister, errors_.Any() ? 0x81 : 0);  // generic, manufacturer
    if (!slowValues)
        return;
    const SimObject* bus = table_.Find(keys::kBusVoltage);
    if (bus)
        set(keys::kBusVoltage, motor_.busVoltage * (bus->width >= 32 ? 1000 : 10));
    const SimObject* temp = table_.Find(keys::kDriveTemperature);
    if (temp)
        set(keys::kDriveTemperature, motor_.temperature * (temp->width >= 16 ? 10 : 1));
    const uint16_t status = uint16_t(values_.Get(keys::kDriveStatus));
    values_.Set(keys::kDriveStatus,
                storingCycles_ > 0 ? status | kStoringBit : status & ~kStoringBit);
    io_.Publish(
        {state_.State() == DriveState::Fault, state_.PowerStage(), motor_.TargetReached(c)});
}

void CDrive::Cycle() {
    ++cycles_;
    if (restartCycles_ > 0) {
        if (--restartCycles_ == 0)
            PowerUp();
        return;
    }
    if (scan_.Tick())
        values_.Set(keys::kScanExponent, scan_.Exponent());
    if (storingCycles_ > 0)
        --storingCycles_;
    state_.Update(errors_.Any());
    motor_.Step(Command(), kCycleSeconds);
    Publish(cycles_ % 16 == 0);
    scope_.Tick();
}

void CDrive::Tick(int64_t cycles) {
    for (int64_t i = 0; i < cycles; ++i) Cycle();
}

}  // namespace vsim
