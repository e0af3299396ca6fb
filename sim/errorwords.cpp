#include "errorwords.h"

#include "drivekeys.h"

namespace vsim {

namespace {
// Error codes (CiA 301/402 style) of the bits of error word 1 and error word 2.
constexpr uint16_t kCodes[2][16] = {
    {0x6100, 0x7380, 0x7381, 0x7305, 0x4210, 0x3210, 0x3220, 0x2320, 0x7110, 0x8611, 0x5112, 0x2350,
     0x8A80, 0x4310, 0x7122, 0x6310},
    {0x5210, 0x6010, 0x6011, 0x7400, 0x6320, 0xFF01, 0xFF11, 0xFF12, 0x5443, 0x5442, 0x5441, 0xFF20,
     0x8100, 0x8A81, 0x7382, 0x7306},
};
constexpr int kHistory = 8;

uint32_t HistoryKey(int entry, uint8_t sub) {
    return uint32_t(keys::kHistoryFirstIndex + entry) << 8 | sub;
}
}  // namespace

uint16_t CErrorWords::Code(int word, int bit) {
    return kCodes[word - 1][bit];
}

bool CErrorWords::Raise(int word, int bit, uint32_t timeMs) {
    if (word < 1 || word > 2 || bit < 0 || bit > 15)
        return false;
    const uint16_t mask = uint16_t(1u << bit);
    if (!(latched_[word - 1] & mask))
        Record(Code(word, bit), timeMs);
    latched_[word - 1] |= mask;
    Publish();
    return true;
}

void CErrorWords::Record(uint16_t code, uint32_t timeMs) {
    for (int e = kHistory - 1; e > 0; --e) {
        values_.Set(HistoryKey(e, 1), values_.Get(HistoryKey(e - 1, 1)));
        values_.Set(HistoryKey(e, 7), values_.Get(HistoryKey(e - 1, 7)));
    }
    values_.Set(HistoryKey(0, 1), code);
    values_.Set(HistoryKey(0, 7), timeMs);
}

void CErrorWords::ClearLatched() {
    latched_[0] = latched_[1] = 0;
    Publish();
}

uint16_t CErrorWords::Active(int word) const {
    const uint32_t mask = word == 1 ? keys::kSwitchWord1 : keys::kSwitchWord2;
    // A drive without the switch word reports every error.
    const uint16_t on = values_.Has(mask) ? uint16_t(values_.Get(mask)) : 0xFFFF;
    return latched_[word - 1] & on;
}

void CErrorWords::Publish() {
    values_.Set(keys::kErrorWord1, Active(1));
    values_.Set(keys::kErrorWord2, Active(2));
}

}  // namespace vsim
