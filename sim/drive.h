#pragma once
// The simulated drive: its objects and the models behind the ones that do something.
#include <cstdint>

#include "objectaccess.h"
#include "objectvalues.h"

namespace vsim {

class CDrive : public IObjectAccess {
public:
    static constexpr double kTickSeconds = 62.5e-6;  // the drive's control cycle

    explicit CDrive(const CObjectTable& table);

    const SimObject* Describe(uint32_t key) const override { return table_.Find(key); }
    bool IndexExists(uint16_t index) const override { return table_.HasIndex(index); }
    uint32_t Read(uint32_t key, ObjectValue& out) override;
    uint32_t Write(uint32_t key, int64_t value, int64_t& stored) override;

    // Advances the drive by whole control cycles.
    void Tick(int64_t cycles = 1);
    CObjectValues& Values() { return values_; }

private:
    const CObjectTable& table_;
    CObjectValues values_;
};

}  // namespace vsim
