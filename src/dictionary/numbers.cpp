#include "dictionary/numbers.h"

#include <algorithm>

#include "dictionary/sdocommand.h"

namespace {

struct Digits {
    bool negative = false;
    std::uint32_t wrapped = 0;  // as the 32-bit original computes it
    std::uint64_t whole = 0;    // without the wrap; stops growing beyond 2^40
};

// Digits of `base` (10 or 16) accumulate left to right; every other character is skipped.
Digits ScanDigits(const QString& text, unsigned base) {
    Digits d;
    QString t = text;
    d.negative = t.startsWith(u'-');
    if (d.negative)
        t.remove(0, 1);
    t = t.toUpper();
    for (QChar c : t) {
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else
            continue;
        d.wrapped = d.wrapped * base + digit;
        d.whole = std::min<std::uint64_t>(d.whole * base + digit, std::uint64_t{1} << 40);
    }
    return d;
}

// Arithmetic wraps like the 32-bit original instead of overflowing.
int ParseDigits(const QString& text, unsigned base) {
    const Digits d = ScanDigits(text, base);
    return static_cast<int>(d.negative ? 0u - d.wrapped : d.wrapped);
}

}  // namespace

int CNumbers::ParseDecimal(const QString& text) {
    return ParseDigits(text, 10);
}

int CNumbers::ParseHex(const QString& text) {
    return ParseDigits(text, 16);
}

std::int64_t CNumbers::HexValue(const QString& text) {
    const Digits d = ScanDigits(text, 16);
    const auto whole = static_cast<std::int64_t>(d.whole);
    return d.negative ? -whole : whole;
}

int CNumbers::DataTypeWidth(const QString& typeName) {
    return ParseDecimal(typeName);
}

std::uint8_t CNumbers::SdoDownloadCommand(const QString& typeName) {
    switch (DataTypeWidth(typeName)) {
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

bool CNumbers::IsUnsignedType(const QString& typeName) {
    return typeName.startsWith(u'U') || typeName.startsWith(u'u');
}

int CNumbers::RawToNumber(const QString& typeName, std::uint32_t raw, double& value) {
    if (typeName.isEmpty())
        return 0;
    const int width = DataTypeWidth(typeName);
    if (width != 8 && width != 16 && width != 32)
        return 0;
    const bool isSigned = !IsUnsignedType(typeName);
    if (isSigned && width == 8 && raw >= 128)
        value = double(raw) - 256.0;
    else if (isSigned && width == 16 && raw > 0x7FFF)
        value = double(raw) - 65536.0;
    else if (isSigned && width == 32)
        value = static_cast<std::int32_t>(raw);
    else
        value = raw;
    return 1;
}

bool CNumbers::TypeRange(const QString& typeName, std::int64_t& low, std::int64_t& high) {
    const int width = DataTypeWidth(typeName);
    if (width != 8 && width != 16 && width != 32)
        return false;
    const std::int64_t span = std::int64_t{1} << width;
    low = IsUnsignedType(typeName) ? 0 : -span / 2;
    high = low + span - 1;
    return true;
}
