#pragma once
// The drive's error objects: the two error status words with their switch words, the eight
// history entries, the error code table that turns a history code into the error word bit it
// stands for, and the names of the bits as the real-time error page's lamps show them.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "platform/messages.h"

class CGlobal;

namespace errors {

constexpr std::int32_t kSwitchWord1 = 0x260000;
constexpr std::int32_t kErrorWord1 = 0x260100;
constexpr std::int32_t kErrorWord2 = 0x260200;
constexpr std::int32_t kSwitchWord2 = 0x260504;
constexpr std::int32_t kStatusWord = 0x604100;
constexpr int kStatusFaultBit = 0x0008;
constexpr int kHistoryEntries = 8;
constexpr int kWordBits = 16;

// Entry n (0 to 7) of the history: index 0x2610 + n, sub-index 1 code, 7 time.
constexpr std::int32_t HistoryCodeKey(int n) {
    return (0x2610 + n) << 8 | 0x01;
}
constexpr std::int32_t HistoryTimeKey(int n) {
    return (0x2610 + n) << 8 | 0x07;
}
// The entry whose code object the key is, or -1.
int HistoryEntryOfCode(std::int32_t key);

// The error word bit value a code stands for; false for codes outside the table.
bool ErrorCodeBit(std::uint32_t code, std::uint16_t& bit);
// The bit value of a known code, any other code unchanged.
std::uint32_t ErrorCodeValue(std::uint32_t code);

// Lamp captions of error status word 1 or 2, bit 0 first: the program's own texts, for
// translation in the context "CRealtimeError".
const char* LampSource(int word, int bit);
// The caption in the current language.
QString LampText(int word, int bit);
// Captions of the bits set in a word, bit 0 first.
QStringList SetBitNames(int word, std::uint16_t value);

// The value text of a row of the error history page. A history code becomes its bit value,
// which the unit's item of that value names ("0080 Short"); everything else is formatted
// through the row's unit, or as "%.0f" without one. False when the type has no number or the
// unit's formula waits for another object.
bool FormatErrorRowValue(CGlobal& g, platform::WindowHandle owner, std::int32_t key,
                         const QString& unitText, const QString& typeName, std::uint32_t raw,
                         QString& text);
// The unit's item naming a bit value ("0080 Short"); empty when it has none.
QString BitItemText(CGlobal& g, std::int32_t key, std::uint32_t bitValue);

// One stored error as the drive keeps it.
struct HistoryEntry {
    int number = 0;  // 0 to 7
    std::uint32_t code = 0;
    std::uint32_t time = 0;
};
// Newest first: a selection sort on the time, largest first.
void SortNewestFirst(std::vector<HistoryEntry>& entries);

// The drive panel's short form: the bit value as "%.4x" when known, else the code's low 16
// bits as "%x".
QString PanelErrorText(std::uint32_t code);

}  // namespace errors
