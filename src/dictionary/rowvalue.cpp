#include "dictionary/rowvalue.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "dictionary/formula.h"
#include "dictionary/numbers.h"
#include "dictionary/numberscan.h"
#include "dictionary/unit.h"
#include "platform/msgbox.h"

namespace {

const char kOutOfRange[] = "Value out of range: %1!";

// A converted value before it is cut to the request's 32 bits.
using Wide = std::optional<std::int64_t>;

// The values a unit may give for the type: its numbers, or in "HEX" and "ASCII" also the bit
// patterns of its width (so ffff is -1 of an INTEGER16).
struct Limits {
    std::int64_t low = 0;
    std::int64_t high = 0;
};

Limits AcceptedLimits(const QString& unitText, const QString& typeName) {
    Limits limits;
    CNumbers::TypeRange(typeName, limits.low, limits.high);
    const std::int64_t pattern = (std::int64_t{1} << CNumbers::DataTypeWidth(typeName)) - 1;
    if (unitText == QLatin1String("HEX"))
        limits.high = pattern;
    else if (unitText == QLatin1String("ASCII"))
        limits = {0, pattern};
    return limits;
}

// Character codes (16-bit) of exactly width / 8 characters, low byte first.
Wide AsciiRaw(const QString& text, int width) {
    if (width != 8 && width != 16 && width != 32)
        return std::nullopt;
    if (text.size() != width / 8)
        return std::nullopt;
    std::int64_t raw = 0;
    for (int i = 0; i < text.size(); ++i) raw += std::int64_t{text[i].unicode()} << (8 * i);
    return raw;
}

Wide DecimalRaw(const QString& text) {
    std::int64_t value = 0;
    if (!numberscan::LeadingInteger(text, value))
        return std::nullopt;
    return value;
}

Wide HexRaw(const QString& text) {
    if (!numberscan::StartsWithHexDigit(text))
        return std::nullopt;
    return CNumbers::HexValue(text);
}

// The type's range as a read in a named unit shows it; false when no read cell of the unit
// converts it now.
bool RangeInUnit(const UnitContext& units, platform::WindowHandle owner, std::int32_t key,
                 const QString& unitText, const QString& typeName, QString& lowText,
                 QString& highText) {
    std::int64_t low = 0, high = 0;
    CSdoUnit entry;
    if (!CNumbers::TypeRange(typeName, low, high) ||
        !valueconv::LookupObjectUnit(units, key, entry))
        return false;
    for (const CCellUnit& cell : entry.cells) {
        const bool shown =
            cell.displayName.isEmpty() ? cell.unitName == unitText : cell.displayName == unitText;
        if (!shown)
            continue;
        double a = low, b = high;
        if (!cell.displayName.isEmpty() &&
            (!units.evaluator.Evaluate(owner, cell.formula, low, a) ||
             !units.evaluator.Evaluate(owner, cell.formula, high, b) ||
             !units.evaluator.LastEvaluationSound()))
            return false;
        lowText = valueconv::FormatValue(unitText, typeName, cell.formula, std::min(a, b));
        highText = valueconv::FormatValue(unitText, typeName, cell.formula, std::max(a, b));
        return true;
    }
    return false;
}

// The range of the type in the row's unit, for the message of a value outside it.
QString RangeText(const UnitContext& units, platform::WindowHandle owner, std::int32_t key,
                  const QString& unitText, const QString& typeName) {
    QString lowText, highText;
    QString shownUnit = unitText;
    if (IsDisplayFormat(unitText) ||
        !RangeInUnit(units, owner, key, unitText, typeName, lowText, highText)) {
        // Raw numbers: the bit patterns of the width in "HEX" and "ASCII", else the type's.
        const bool hex = unitText == QLatin1String("HEX");
        std::int64_t low = 0, high = 0;
        CNumbers::TypeRange(typeName, low, high);
        if (hex || unitText == QLatin1String("ASCII")) {
            high -= low;
            low = 0;
        }
        const QString format = hex ? QStringLiteral("HEX") : QStringLiteral("DEC");
        lowText = valueconv::FormatValue(format, typeName, QString(), double(low));
        highText = valueconv::FormatValue(format, typeName, QString(), double(high));
        if (!IsDisplayFormat(unitText))
            shownUnit = format;  // no read cell shows the unit: raw numbers
    }
    const QString unit = shownUnit.isEmpty() ? QString() : QLatin1Char(' ') + shownUnit;
    return QStringLiteral("%1 .. %2%3").arg(lowText, highText, unit);
}

struct NamedUnitWrite {
    RowWrite outcome = RowWrite::Refused;
    Wide raw;
};

// A named unit: the first cell whose unitName is the unit converts the typed number.
NamedUnitWrite NamedRaw(const UnitContext& units, platform::WindowHandle owner, std::int32_t key,
                        std::uint8_t command, const QString& unitText, const QString& typeName,
                        const QString& text) {
    CSdoUnit entry;
    if (!valueconv::LookupObjectUnit(units, key, entry))
        return {};
    for (int i = 0; i < entry.cellCount && i < entry.cells.size(); ++i) {
        const CCellUnit& cell = entry.cells[i];
        if (cell.unitName != unitText)
            continue;
        double x = 0.0;
        if (!numberscan::LeadingDecimal(text, x))
            return {};
        double result = 0.0;
        if (!units.evaluator.Evaluate(owner, cell.formula, x, result)) {
            const Limits limits = AcceptedLimits(unitText, typeName);
            // The evaluator sends the write later: it must not send a value that does not fit.
            auto check = [=](double value) {
                const std::int64_t raw = numberscan::TruncateToInt64(value);
                if (raw >= limits.low && raw <= limits.high)
                    return true;
                platform::MessageBox(
                    OutOfRangeText(RangeText(units, owner, key, unitText, typeName)));
                return false;
            };
            units.evaluator.SetPending(key, command, x, cell.formula, check);
            return {RowWrite::Parked, std::nullopt};
        }
        if (!units.evaluator.LastEvaluationSound() || !std::isfinite(result))
            return {};
        return {RowWrite::Queued, numberscan::TruncateToInt64(result)};
    }
    return {};
}

}  // namespace

QString OutOfRangeText(const QString& range) {
    return QString::fromLatin1(kOutOfRange).arg(range);
}

RowConversion ConvertRowValue(const UnitContext& units, platform::WindowHandle owner,
                              const IValueRow& row) {
    const QString unitText = row.UnitText();
    const QString typeName = row.DataType();
    const QString text = row.ValueText();
    const std::int32_t key = row.Key();
    RowConversion result;
    const std::uint8_t command = CNumbers::SdoDownloadCommand(typeName);

    Wide raw;
    if (key == 0 || command == 0) {
        // Not an object row, or not an 8, 16 or 32 bit object: nothing to write in one request.
    } else if (unitText == QLatin1String("ASCII")) {
        raw = AsciiRaw(text, CNumbers::DataTypeWidth(typeName));
    } else if (unitText.isEmpty() || unitText == QLatin1String("DEC")) {
        raw = DecimalRaw(text);
    } else if (unitText == QLatin1String("HEX")) {
        raw = HexRaw(text);
    } else {
        const NamedUnitWrite named = NamedRaw(units, owner, key, command, unitText, typeName, text);
        if (named.outcome == RowWrite::Parked)
            return {RowWrite::Parked, 0, command, QString()};
        raw = named.raw;
    }
    if (!raw)
        return result;
    const Limits limits = AcceptedLimits(unitText, typeName);
    if (*raw < limits.low || *raw > limits.high)
        return {RowWrite::OutOfRange, 0, 0, RangeText(units, owner, key, unitText, typeName)};
    return {RowWrite::Queued, static_cast<std::int32_t>(static_cast<std::uint32_t>(*raw)), command,
            QString()};
}
