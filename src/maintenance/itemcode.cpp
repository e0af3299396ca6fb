#include "maintenance/itemcode.h"

#include "dictionary/allsdo.h"
#include "dictionary/numbers.h"
#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"

namespace drvdata {

const char* const kTrue = "True";
const char* const kFail = "Fail";
const char* const kAlarm = "Alarm";
const char* const kUnknownName = "? ? ? ?";

EntryLookup DictionaryLookup(const CAllSdo& dictionary) {
    return [&dictionary](std::int32_t key, CSdoInfo& entry) {
        return dictionary.FindByKey(key, entry) == 1;
    };
}

std::uint32_t ParseItemCode(const QString& text) {
    return static_cast<std::uint32_t>(CNumbers::ParseHex(text));
}

QString ItemCodeText(std::uint32_t code) {
    return QString::asprintf("%08X", code);
}

int TypeWidth(const QString& typeName) {
    return CNumbers::DataTypeWidth(typeName);
}

std::uint8_t WriteCommand(int width) {
    switch (width) {
        case 8:
            return sdo::Write1;
        case 16:
            return sdo::Write2;
        case 32:
            return sdo::Write4;
        default:
            return 0;
    }
}

namespace {

QString HexByWidth(int width, std::uint32_t value) {
    switch (width) {
        case 8:
            return QString::asprintf("0x%02x", value);
        case 16:
            return QString::asprintf("0x%04x", value);
        default:
            return QString::asprintf("0x%08x", value);
    }
}

QString ByType(const QString& typeName, int width, std::uint32_t value) {
    const bool isUnsigned = CNumbers::IsUnsignedType(typeName);
    auto v = static_cast<std::int64_t>(value);
    if (!isUnsigned && width == 8 && value >= 128)
        v -= 256;
    else if (!isUnsigned && width == 16 && value >= 0x8000)
        v -= 65536;
    else if (width == 32)
        v = isUnsigned ? v : static_cast<std::int32_t>(value);
    if (width != 32)
        v = static_cast<std::int32_t>(v);  // "%d" of the 32-bit quantity
    return QString::number(v);
}

}  // namespace

std::optional<QString> FormatValue(const CSdoInfo* entry, int codeWidth, std::uint32_t value) {
    const int width = entry ? TypeWidth(entry->dataType) : codeWidth;
    if (!IsTransferWidth(width))
        return std::nullopt;
    return entry ? ByType(entry->dataType, width, value) : HexByWidth(width, value);
}

std::uint32_t LoadNumber(const QString& loadValue) {
    if (loadValue.contains(u'x'))
        return static_cast<std::uint32_t>(CNumbers::ParseHex(loadValue));  // its low 32 bits
    std::int64_t number = 0;
    if (!numberscan::LeadingInteger(loadValue, number))
        return 0;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(number));
}

std::uint32_t LoadRaw(const QString& loadValue, int width) {
    const std::uint32_t number = LoadNumber(loadValue);
    return width >= 32 ? number : number & ((1u << width) - 1);
}

QString ExpectedText(const CSdoInfo* entry, int codeWidth, const QString& loadValue) {
    if (entry)
        return loadValue;
    return HexByWidth(codeWidth, LoadNumber(loadValue));
}

QString WidthReason(int width) {
    return QStringLiteral("width %1 not 8/16/32").arg(width);
}

QString NoLoadValueReason() {
    return QStringLiteral("no load value");
}

}  // namespace drvdata
