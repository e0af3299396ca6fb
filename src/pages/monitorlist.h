#pragma once
// The drive panel monitor (F001): the list file of quantities the drive's monitor selector
// 0x2FF0:04 can point at, and the signed display of the chosen object. Widget-free.
#include <QString>
#include <cstdint>
#include <vector>

class CAllSdo;

namespace monitor {

constexpr std::int32_t kSelectorKey = 0x2FF004;

// One choice: its entry number in the list file (counted from 0, the selector's value), the
// object and the text shown ("Speed(0)").
struct Choice {
    int entry = 0;
    std::int32_t key = 0;
    QString text;
};

// The list file sys/F001.ini, section "F001": "num" and entries "1" ... "num" in hexadecimal,
// each an object key shifted left by 8 with the bit length in the low byte.
QString ListPath(const QString& sysFolder);
// Entry `entry` (from 0) of the file; 0 when missing.
std::uint32_t EntryValue(const QString& listPath, int entry);
// The nonzero entries whose objects the dictionary knows, in file order.
std::vector<Choice> ReadChoices(const QString& listPath, const CAllSdo& dictionary);

// Signed integer objects of 8 or 16 bits arrive without their sign: values at or above the
// threshold are shown less the modulus.
struct SignedDisplay {
    std::int64_t threshold = 0;
    std::int64_t modulus = 0;
};
SignedDisplay SignedDisplayFor(const QString& dataType);
QString DisplayText(const SignedDisplay& display, std::uint32_t raw);

}  // namespace monitor
