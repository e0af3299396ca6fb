#pragma once
// The simulated drive: its objects and the models behind the ones that do something.
#include <cstdint>
#include <memory>

#include "errorwords.h"
#include "freqscan.h"
#include "iowords.h"
#include "motormodel.h"
#include "nvmemory.h"
#include "objectaccess.h"
#include "objectvalues.h"
#include "scope.h"
#include "statemachine.h"

namespace vsim {

class CDrive : public IObjectAccess {
public:
    static constexpr double kCycleSeconds = 62.5e-6;  // the drive's control cycle
    static constexpr int64_t kRestartCycles = 32000;  // about two seconds of silence
    static constexpr int64_t kStoreCycles = 8000;     // storing shows for half a second

    // nv may be null: the drive then keeps its stored values in memory only.
    CDrive(const CObjectTable& table, CNvMemory* nv = nullptr);

    const SimObject* Describe(uint32_t key) const override { return table_.Find(key); }
    bool IndexExists(uint16_t index) const override { return table_.HasIndex(index); }
    uint32_t Read(uint32_t key, ObjectValue& out) override;
    uint32_t Write(uint32_t key, int64_t value, int64_t& stored) override;

    // Advances the drive by whole control cycles.
    void Tick(int64_t cycles = 1);
    // True while the drive restarts: it answers nothing.
    bool Restarting() const { return restartCycles_ > 0; }
    // Restarts as after 0x2FFF:00 = 0xAA55: silent about two seconds, then the stored values.
    void Restart() { restartCycles_ = kRestartCycles; }

    bool RaiseError(int word, int bit) { return errors_.Raise(word, bit, UptimeMs()); }
    void ClearErrors() { errors_.ClearLatched(); }
    void SetInputLevels(uint16_t levels) { io_.SetInputLevels(levels); }

    CObjectValues& Values() { return values_; }
    DriveState State() const { return state_.State(); }
    const CMotorModel& Motor() const { return motor_; }
    const CFreqScan& Scan() const { return scan_; }
    uint32_t UptimeMs() const { return uint32_t(cycles_ / 16); }

private:
    void Cycle();
    void PowerUp();
    void Publish(bool slowValues);
    MotorCommand Command() const;
    uint32_t WriteControlword(int64_t value);
    uint32_t WriteScan(uint8_t sub, int64_t value);
    uint32_t WriteStore(uint32_t key, int64_t value);
    uint32_t WriteSignature(uint32_t key, int64_t value);
    uint32_t Store(ParamGroup group);

    const CObjectTable& table_;
    CObjectValues values_;
    std::unique_ptr<CNvMemory> ownNv_;
    CNvMemory& nv_;
    CStateMachine state_;
    CMotorModel motor_;
    CScope scope_;
    CFreqScan scan_;
    CErrorWords errors_;
    CIoWords io_;
    int64_t cycles_ = 0;
    int64_t restartCycles_ = 0;
    int64_t storingCycles_ = 0;
};

}  // namespace vsim
