#pragma once
// The digital I/O objects of index 0x2010 and their function sets: which key holds what, the
// order the I/O page reads them in, the function names of DataInOut.ini and the value a set
// of chosen functions makes. Widget-free.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace io {

constexpr int kInputs = 8;
constexpr int kOutputs = 7;
constexpr int kFunctionSets = kInputs + kOutputs;

constexpr std::int32_t kInputPolarity = 0x201001;
constexpr std::int32_t kInputSimulation = 0x201002;
constexpr std::int32_t kInputLevels = 0x20100A;
constexpr std::int32_t kInputVirtual = 0x20100B;
constexpr std::int32_t kOutputPolarity = 0x20100D;
constexpr std::int32_t kOutputSimulation = 0x20100E;
constexpr std::int32_t kOutputLevels = 0x201014;

// Function set n: DIN1 ... DIN8 (0 to 7), then DOUT1 ... DOUT7 (8 to 14).
std::int32_t FunctionSetKey(int n);
// The set a key holds, or -1.
int FunctionSetOf(std::int32_t key);
inline bool IsInputSet(int n) {
    return n < kInputs;
}

// The four switch words: input simulation, input polarity, output simulation, output polarity.
enum SwitchWord { InSimulation, InPolarity, OutSimulation, OutPolarity, kSwitchWords };
std::int32_t SwitchWordKey(int word);
int SwitchWordOf(std::int32_t key);  // -1 for other keys
int SwitchWordBits(int word);        // 8 for inputs, 7 for outputs

// The read sequence of the page (cursor 1 to 22).
constexpr int kReadSteps = 22;
const std::array<std::int32_t, kReadSteps>& ReadSequence();
// Objects whose live values the page watches when they are live (opening order).
const std::vector<std::int32_t>& WatchCandidates();

// Toggles one bit of a 16-bit word.
std::uint16_t ToggleBit(std::uint16_t word, int bit);

// DataInOut.ini: section "in" or "out", key prefix "ch" (Chinese) or "en" plus the mask.
QString Section(bool inputs);
QString KeyPrefix(int language);

// The names of the functions set in a value, numbered in bit order ("1.A", "2.C"); a value
// above 0x8000 names functions of the second table. Bits without a name give no line.
QStringList NumberedFunctions(const QString& iniPath, const QString& section, const QString& prefix,
                              std::uint16_t value);
// The box text: the names without their numbers joined by "+", or "NULL".
QString FunctionBoxText(const QStringList& numbered);

// One row of the function list: the mask and its name.
struct FunctionRow {
    std::uint16_t mask = 0;
    QString name;
};
// The functions the file names, first table (0x0001 ... 0x4000) then second (0x8001 ...
// 0xC000); masks without a name give no row.
std::vector<FunctionRow> FunctionRows(const QString& iniPath, const QString& section,
                                      const QString& prefix);
// Whether the row of a mask is checked for a value.
bool RowChecked(std::uint16_t value, std::uint16_t mask);
// The value of the checked masks; false when they come from both tables.
bool CheckedValue(const std::vector<std::uint16_t>& checkedMasks, std::uint16_t& value);

}  // namespace io
