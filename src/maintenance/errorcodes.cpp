#include "maintenance/errorcodes.h"

#include <QCoreApplication>
#include <utility>

#include "app/global.h"
#include "dictionary/valueconv.h"

namespace errors {

namespace {

struct CodeBit {
    std::uint16_t code;
    std::uint16_t bit;
};

// Error codes of the drive and the error word bit each one sets.
constexpr CodeBit kCodeTable[] = {
    {0x2320, 0x0080}, {0x2350, 0x0800}, {0x3210, 0x0020}, {0x3220, 0x0040}, {0x4210, 0x0010},
    {0x4310, 0x2000}, {0x5112, 0x0400}, {0x5210, 0x0001}, {0xFF01, 0x0020}, {0xFF11, 0x0040},
    {0x5441, 0x0400}, {0x5442, 0x0200}, {0x5443, 0x0100}, {0x6010, 0x0002}, {0x6011, 0x0004},
    {0x6310, 0x8000}, {0x6320, 0x0010}, {0x7110, 0x0100}, {0x7122, 0x4000}, {0xFF12, 0x0080},
    {0x7305, 0x0008}, {0x7306, 0x8000}, {0x7380, 0x0002}, {0x7381, 0x0004}, {0x7382, 0x4000},
    {0x7400, 0x0008}, {0x8100, 0x1000}, {0x8611, 0x0200}, {0x8A80, 0x1000}, {0x8A81, 0x2000},
};

const char* const kLamps[2][kWordBits] = {
    {QT_TRANSLATE_NOOP("CRealtimeError", "驱动器内部错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "编码器ABN信号错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "编码器UVW信号错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "编码器计数错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "驱动器温度过高"),
     QT_TRANSLATE_NOOP("CRealtimeError", "驱动器总线电压过高400v"),
     QT_TRANSLATE_NOOP("CRealtimeError", "驱动器总线电压过低120v"),
     QT_TRANSLATE_NOOP("CRealtimeError", "驱动器输出短路"),
     QT_TRANSLATE_NOOP("CRealtimeError", "驱动器制动电阻异常"),
     QT_TRANSLATE_NOOP("CRealtimeError", "实际跟踪误差超过允许值"),
     QT_TRANSLATE_NOOP("CRealtimeError", "逻辑电压过低18v"),
     QT_TRANSLATE_NOOP("CRealtimeError", "I2*T故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "输入脉冲频率过高"),
     QT_TRANSLATE_NOOP("CRealtimeError", "电机温度过高"),
     QT_TRANSLATE_NOOP("CRealtimeError", "寻找电机错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "EEPROM内部错误")},
    {QT_TRANSLATE_NOOP("CRealtimeError", "电流传感器故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "看门狗报错"),
     QT_TRANSLATE_NOOP("CRealtimeError", "异常中断"),
     QT_TRANSLATE_NOOP("CRealtimeError", "MCU故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "电机配置错误"),
     QT_TRANSLATE_NOOP("CRealtimeError", "逻辑输出故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "STO1"), QT_TRANSLATE_NOOP("CRealtimeError", "STO2"),
     QT_TRANSLATE_NOOP("CRealtimeError", "预使能报警"),
     QT_TRANSLATE_NOOP("CRealtimeError", "正限位报错"),
     QT_TRANSLATE_NOOP("CRealtimeError", "负限位报错"),
     QT_TRANSLATE_NOOP("CRealtimeError", "SPI故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "CAN总线故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "全闭环故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "主编码器ABZ故障"),
     QT_TRANSLATE_NOOP("CRealtimeError", "主编码器计数错误")},
};

}  // namespace

int HistoryEntryOfCode(std::int32_t key) {
    for (int n = 0; n < kHistoryEntries; ++n)
        if (key == HistoryCodeKey(n))
            return n;
    return -1;
}

bool ErrorCodeBit(std::uint32_t code, std::uint16_t& bit) {
    for (const CodeBit& entry : kCodeTable) {
        if (entry.code == code) {
            bit = entry.bit;
            return true;
        }
    }
    return false;
}

std::uint32_t ErrorCodeValue(std::uint32_t code) {
    std::uint16_t bit = 0;
    return ErrorCodeBit(code, bit) ? bit : code;
}

const char* LampSource(int word, int bit) {
    if (word < 1 || word > 2 || bit < 0 || bit >= kWordBits)
        return "";
    return kLamps[word - 1][bit];
}

QString LampText(int word, int bit) {
    return QCoreApplication::translate("CRealtimeError", LampSource(word, bit));
}

QStringList SetBitNames(int word, std::uint16_t value) {
    QStringList names;
    for (int bit = 0; bit < kWordBits; ++bit)
        if (value & (1u << bit))
            names << LampText(word, bit);
    return names;
}

QString BitItemText(CGlobal& g, std::int32_t key, std::uint32_t bitValue) {
    CSdoUnit unit;
    if (bitValue > 0xFFFF || !valueconv::LookupObjectUnit(g.Conversions(), key, unit))
        return QString();
    const QString name = QString::asprintf("%04X", bitValue);
    for (const CCellUnit& cell : unit.cells)
        if (cell.unitName.compare(name, Qt::CaseInsensitive) == 0 && !cell.displayName.isEmpty())
            return cell.unitName + ' ' + cell.displayName;
    return QString();
}

bool FormatErrorRowValue(CGlobal& g, platform::WindowHandle owner, std::int32_t key,
                         const QString& unitText, const QString& typeName, std::uint32_t raw,
                         QString& text) {
    double number = 0;
    if (!CNumbers::RawToNumber(typeName, raw, number))
        return false;
    const bool isCode = HistoryEntryOfCode(key) >= 0;
    if (isCode)
        number = ErrorCodeValue(static_cast<std::uint32_t>(static_cast<std::int64_t>(number)));
    if (unitText.isEmpty()) {
        text = QString::asprintf("%.0f", number);
        return true;
    }
    if (isCode && !IsDisplayFormat(unitText)) {
        QString item = BitItemText(g, key, static_cast<std::uint32_t>(number));
        if (!item.isEmpty()) {
            text = item;
            return true;
        }
    }
    QString formula;
    int handled = 0;
    if (!g.ConvertReadValue(owner, key, unitText, number, formula, handled))
        return false;
    text = g.FormatValue(unitText, typeName, formula, number);
    return true;
}

void SortNewestFirst(std::vector<HistoryEntry>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t newest = i;
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (entries[j].time > entries[newest].time)
                newest = j;
        std::swap(entries[i], entries[newest]);
    }
}

QString PanelErrorText(std::uint32_t code) {
    std::uint16_t bit = 0;
    if (ErrorCodeBit(code, bit))
        return QString::asprintf("%.4x", unsigned(bit));
    return QString::asprintf("%x", unsigned(code & 0xFFFF));
}

}  // namespace errors
