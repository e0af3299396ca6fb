#include "drive.h"

namespace vsim {

CDrive::CDrive(const CObjectTable& table) : table_(table), values_(table) {}

uint32_t CDrive::Read(uint32_t key, ObjectValue& out) {
    out.number = values_.Get(key);
    return 0;
}

uint32_t CDrive::Write(uint32_t key, int64_t value, int64_t& stored) {
    values_.Set(key, value);
    stored = values_.Get(key);
    return 0;
}

void CDrive::Tick(int64_t cycles) {
    (void)cycles;
}

}  // namespace vsim
