#include "dictionary/rowvalue.h"

#include <cmath>
#include <optional>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "dictionary/valueconv.h"

namespace {

constexpr std::uint8_t kReadCommand = 0x40;

// Character codes (16-bit) of exactly width / 8 characters, low byte first.
std::optional<std::int32_t> AsciiRaw(const QString& text, int width) {
    if (width != 8 && width != 16 && width != 32)
        return std::nullopt;
    if (text.size() != width / 8)
        return std::nullopt;
    std::uint32_t raw = 0;
    for (int i = 0; i < text.size(); ++i) raw += std::uint32_t{text[i].unicode()} << (8 * i);
    return static_cast<std::int32_t>(raw);
}

std::optional<std::int32_t> DecimalRaw(const QString& text) {
    std::int64_t value = 0;
    if (!numberscan::LeadingInteger(text, value))
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> HexRaw(const QString& text) {
    if (!numberscan::StartsWithHexDigit(text))
        return std::nullopt;
    return CGlobal::ParseHex(text);
}

struct NamedUnitWrite {
    RowWrite outcome = RowWrite::Refused;
    std::int32_t raw = 0;
};

// A named unit: the first cell whose unitName is the unit converts the typed number.
NamedUnitWrite NamedRaw(CGlobal& global, platform::WindowHandle owner, std::int32_t key,
                        std::uint8_t command, const QString& unitText, const QString& text) {
    CSdoUnit entry;
    if (!LookupObjectUnit(global, key, entry))
        return {};
    for (int i = 0; i < entry.cellCount && i < entry.cells.size(); ++i) {
        const CCellUnit& cell = entry.cells[i];
        if (cell.unitName != unitText)
            continue;
        double x = 0.0;
        if (!numberscan::LeadingDecimal(text, x))
            return {};
        double result = 0.0;
        if (!global.evaluator.Evaluate(owner, cell.formula, x, result)) {
            global.evaluator.SetPending(key, command, x, cell.formula);
            return {RowWrite::Parked, 0};
        }
        if (!global.evaluator.LastEvaluationSound() || !std::isfinite(result))
            return {};
        return {RowWrite::Queued, numberscan::TruncateToInt32(result)};
    }
    return {};
}

}  // namespace

RowWrite ConvertRowValue(CGlobal& global, platform::WindowHandle owner, const IValueRow& row,
                         std::int32_t& rawOut, std::uint8_t& command) {
    const QString unitText = row.UnitText();
    const QString typeName = row.DataType();
    const QString text = row.ValueText();
    const std::int32_t key = CGlobal::ParseDecimal(row.KeyText());
    command = CGlobal::SdoDownloadCommand(typeName);

    std::optional<std::int32_t> raw;
    if (key == 0 || command == 0) {
        // Not an object row, or not an 8, 16 or 32 bit object: nothing to write in one request.
    } else if (unitText == QLatin1String("ASCII")) {
        raw = AsciiRaw(text, CGlobal::DataTypeWidth(typeName));
    } else if (unitText.isEmpty() || unitText == QLatin1String("DEC")) {
        raw = DecimalRaw(text);
    } else if (unitText == QLatin1String("HEX")) {
        raw = HexRaw(text);
    } else {
        const NamedUnitWrite named = NamedRaw(global, owner, key, command, unitText, text);
        if (named.outcome == RowWrite::Parked)
            return RowWrite::Parked;
        if (named.outcome == RowWrite::Queued)
            raw = named.raw;
    }
    if (!raw)
        return RowWrite::Refused;
    rawOut = *raw;
    return RowWrite::Queued;
}

RowWrite WriteRowValue(CGlobal& global, platform::WindowHandle owner, const IValueRow& row) {
    const std::int32_t key = CGlobal::ParseDecimal(row.KeyText());
    std::int32_t raw = 0;
    std::uint8_t command = 0;
    const RowWrite outcome = ConvertRowValue(global, owner, row, raw, command);
    if (outcome == RowWrite::Queued)
        global.link.Request(owner, command, key, raw);
    else if (outcome == RowWrite::Refused && key != 0)
        global.link.Request(owner, kReadCommand, key, 0);  // the row shows the drive's value again
    return outcome;
}
