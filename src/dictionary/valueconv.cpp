#include "dictionary/valueconv.h"

#include "dictionary/allsdo.h"
#include "dictionary/formula.h"
#include "dictionary/numbers.h"
#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "dictionary/unit.h"
#include "platform/codepage.h"
#include "platform/locale.h"

namespace {

const char kIdentity[] = "N*1";
const char kUnsupported[] = "???";

// The low bytes of raw as characters of the system ANSI code page; a zero byte ends the text.
QString AsciiText(std::uint32_t raw, int width) {
    if (width != 8 && width != 16 && width != 32)
        return QString::fromLatin1(kUnsupported);
    QByteArray bytes;
    for (int i = 0; i < width / 8; ++i) {
        const char byte = static_cast<char>((raw >> (8 * i)) & 0xFF);
        if (byte == 0)
            break;
        bytes.append(byte);
    }
    return platform::SystemLocaleIsChinesePrc() ? platform::Cp936ToUnicode(bytes)
                                                : QString::fromLatin1(bytes);
}

QString DecText(std::uint32_t raw, int width, const QString& typeName) {
    const int value = static_cast<std::int32_t>(raw);
    if (width == 8 || width == 16)
        return QString::asprintf("%d", value);
    if (width == 32)
        return CNumbers::IsUnsignedType(typeName) ? QString::asprintf("%u", raw)
                                                  : QString::asprintf("%d", value);
    return QString::fromLatin1(kUnsupported);
}

QString HexText(std::uint32_t raw, int width) {
    if (width == 8)
        return QString::asprintf("%x", raw & 0xFFu);
    if (width == 16)
        return QString::asprintf("%.4x", raw & 0xFFFFu);
    if (width == 32)
        return QString::asprintf("%x", raw);
    return QString::fromLatin1(kUnsupported);
}

}  // namespace

namespace valueconv {

int LookupObjectUnit(const UnitContext& units, std::int32_t key, CSdoUnit& entry) {
    if (units.units.FindUnit(key, entry))
        return 1;
    CSdoInfo info;
    if (!units.dictionary.FindByKey(key, info))
        return 0;
    return units.units.FindOrAddUnit(key, info.unitDefinition, entry);
}

int ConvertReadValue(const UnitContext& units, platform::WindowHandle owner, int key,
                     const QString& unitText, double& value, QString& formula, int& handled) {
    if (key == 0)
        return 0;
    CFormula& evaluator = units.evaluator;
    // Formulas of other objects refer to this one: keep their constant current.
    evaluator.SetConst(key, numberscan::TruncateToInt32(value));
    if (IsDisplayFormat(unitText)) {
        handled = 1;
        return 1;
    }
    CSdoUnit entry;
    if (!LookupObjectUnit(units, key, entry))
        return 0;
    bool parked = false;
    for (int i = 0; i < entry.cellCount && i < entry.cells.size(); ++i) {
        const CCellUnit& cell = entry.cells[i];
        if (!cell.displayName.isEmpty() && cell.displayName == unitText) {
            double result = 0.0;
            if (evaluator.Evaluate(owner, cell.formula, value, result)) {
                value = result;
                formula = cell.formula;
                handled = 1;
                return 1;
            }
            // Re-read the object once the referenced value has arrived.
            evaluator.SetPending(key, sdo::Read, 0.0, cell.formula);
            parked = true;
        } else if (!parked && cell.displayName.isEmpty() && cell.unitName == unitText) {
            // Raw only when no read cell of this unit waits: never show an unconverted value.
            formula = cell.formula;  // shown raw
            handled = 1;
            return 1;
        }
    }
    return 0;
}

QString FormatValue(const QString& unitText, const QString& typeName, const QString& formula,
                    double value) {
    const auto raw = static_cast<std::uint32_t>(numberscan::TruncateToInt64(value));
    const int width = CNumbers::DataTypeWidth(typeName);
    if (unitText.isEmpty() || unitText == QLatin1String("ASCII"))
        return AsciiText(raw, width);
    if (unitText == QLatin1String("DEC"))
        return DecText(raw, width, typeName);
    if (unitText == QLatin1String("HEX"))
        return HexText(raw, width);
    if (formula != QLatin1String(kIdentity))
        return QString::asprintf("%0.3f", value);
    return DecText(raw, width, typeName);
}

QString FormatRawValue(const QString& unitText, const QString& typeName, const QString& formula,
                       std::int32_t raw) {
    const auto bits = static_cast<std::uint32_t>(raw);
    if (unitText.isEmpty() || unitText == QLatin1String("ASCII"))
        return AsciiText(bits, CNumbers::DataTypeWidth(typeName));
    if (unitText == QLatin1String("DEC"))
        return QString::asprintf("%d", raw);
    if (unitText == QLatin1String("HEX"))
        return HexText(bits, CNumbers::DataTypeWidth(typeName));
    return formula == QLatin1String(kIdentity) ? QString::asprintf("%d", raw) : QString();
}

}  // namespace valueconv
