#include "pages/iofunctions.h"

#include "platform/profile.h"

namespace io {

namespace {
constexpr std::uint16_t kSecondTable = 0x8000;
constexpr int kTableBits = 15;
constexpr int kNameBuffer = 256;

constexpr std::int32_t kFunctionKeys[kFunctionSets] = {
    0x201003, 0x201004, 0x201005, 0x201006, 0x201007, 0x201008, 0x201009, 0x20101D,
    0x20100F, 0x201010, 0x201011, 0x201012, 0x201013, 0x20101E, 0x20101F,
};
constexpr std::int32_t kSwitchKeys[kSwitchWords] = {kInputSimulation, kInputPolarity,
                                                    kOutputSimulation, kOutputPolarity};

QString FunctionName(const QString& iniPath, const QString& section, const QString& prefix,
                     std::uint16_t mask) {
    return platform::GetProfileString(iniPath, section, prefix + QString::asprintf("%04X", mask),
                                      QString(), kNameBuffer);
}

bool SecondTable(std::uint16_t mask) {
    return mask > kSecondTable;
}
}  // namespace

std::int32_t FunctionSetKey(int n) {
    return n >= 0 && n < kFunctionSets ? kFunctionKeys[n] : 0;
}

int FunctionSetOf(std::int32_t key) {
    for (int n = 0; n < kFunctionSets; ++n)
        if (kFunctionKeys[n] == key)
            return n;
    return -1;
}

std::int32_t SwitchWordKey(int word) {
    return word >= 0 && word < kSwitchWords ? kSwitchKeys[word] : 0;
}

int SwitchWordOf(std::int32_t key) {
    for (int w = 0; w < kSwitchWords; ++w)
        if (kSwitchKeys[w] == key)
            return w;
    return -1;
}

int SwitchWordBits(int word) {
    return word == InSimulation || word == InPolarity ? kInputs : kOutputs;
}

const std::array<std::int32_t, kReadSteps>& ReadSequence() {
    static const std::array<std::int32_t, kReadSteps> sequence = {
        kInputLevels, kInputVirtual, 0x201001, 0x201002, 0x201003, 0x201004, 0x201005, 0x201006,
        0x201007,     0x201008,      0x201009, 0x20101D, 0x201014, 0x20100D, 0x20100E, 0x20100F,
        0x201010,     0x201011,      0x201012, 0x201013, 0x20101E, 0x20101F,
    };
    return sequence;
}

const std::vector<std::int32_t>& WatchCandidates() {
    static const std::vector<std::int32_t> keys = {
        kInputLevels, 0x201002, 0x201001, 0x201003, 0x201004, 0x201005, 0x201006,
        0x201007,     0x201008, 0x201009, 0x20101D, 0x20100B, 0x201014, 0x20100E,
        0x20100D,     0x20100F, 0x201010, 0x201011, 0x201012, 0x201013,
    };
    return keys;
}

std::uint16_t ToggleBit(std::uint16_t word, int bit) {
    return static_cast<std::uint16_t>(word ^ (1u << bit));
}

QString Section(bool inputs) {
    return inputs ? QStringLiteral("in") : QStringLiteral("out");
}

QString KeyPrefix(int language) {
    return language == 1 ? QStringLiteral("ch") : QStringLiteral("en");
}

QStringList NumberedFunctions(const QString& iniPath, const QString& section, const QString& prefix,
                              std::uint16_t value) {
    const std::uint16_t table = value > kSecondTable ? kSecondTable : 0;
    QStringList lines;
    for (int i = 0; i < kTableBits; ++i) {
        if (!(value & (1u << i)))
            continue;
        QString name = FunctionName(iniPath, section, prefix, std::uint16_t(table | (1u << i)));
        if (!name.isEmpty())
            lines << QString::asprintf("%d.", int(lines.size()) + 1) + name;
    }
    return lines;
}

QString FunctionBoxText(const QStringList& numbered) {
    if (numbered.isEmpty())
        return QStringLiteral("NULL");
    QStringList names;
    for (const QString& line : numbered) names << line.mid(line.indexOf('.') + 1);
    return names.join('+');
}

std::vector<FunctionRow> FunctionRows(const QString& iniPath, const QString& section,
                                      const QString& prefix) {
    std::vector<FunctionRow> rows;
    for (std::uint16_t table : {std::uint16_t(0), kSecondTable}) {
        for (int i = 0; i < kTableBits; ++i) {
            auto mask = std::uint16_t(table | (1u << i));
            QString name = FunctionName(iniPath, section, prefix, mask);
            if (!name.isEmpty())
                rows.push_back({mask, name});
        }
    }
    return rows;
}

bool RowChecked(std::uint16_t value, std::uint16_t mask) {
    if (SecondTable(value) != SecondTable(mask))
        return false;
    return (value & mask & ~kSecondTable) != 0;
}

bool CheckedValue(const std::vector<std::uint16_t>& checkedMasks, std::uint16_t& value) {
    bool first = false, second = false;
    std::uint16_t sum = 0;
    for (std::uint16_t mask : checkedMasks) {
        (SecondTable(mask) ? second : first) = true;
        sum |= mask;
    }
    if (first && second)
        return false;
    value = sum;
    return true;
}

}  // namespace io
