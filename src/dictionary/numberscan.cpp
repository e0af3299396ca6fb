#include "dictionary/numberscan.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numberscan {
namespace {

bool IsBlank(QChar c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

int SkipBlanks(const QString& text) {
    int i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

int SkipDigits(const QString& text, int i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

}  // namespace

std::int64_t TruncateToInt64(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

std::int32_t TruncateToInt32(double value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(TruncateToInt64(value)));
}

bool LeadingInteger(const QString& text, std::int64_t& value) {
    int i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i]))
        return false;
    const std::uint64_t limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const std::uint64_t digit = text[i].unicode() - '0';
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

int CDecimal(const QString& text) {
    std::int64_t value = 0;
    return LeadingInteger(text, value) ? static_cast<int>(value) : 0;
}

bool LeadingDecimal(const QString& text, double& value) {
    const int start = SkipBlanks(text);
    int i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const int intEnd = SkipDigits(text, i);
    int end = intEnd;
    if (end < text.size() && text[end] == '.')
        end = SkipDigits(text, end + 1);
    if (intEnd == i && end <= intEnd + 1)
        return false;  // neither integer nor fraction digits
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        int e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const int expEnd = SkipDigits(text, e);
        if (expEnd > e)
            end = expEnd;
    }
    QByteArray number = text.mid(start, end - start).toLatin1();
    if (number.startsWith('+'))
        number.remove(0, 1);
    const auto parsed = std::from_chars(number.constData(), number.constData() + number.size(),
                                        value, std::chars_format::general);
    if (parsed.ec == std::errc::result_out_of_range) {
        value = number.startsWith('-') ? -HUGE_VAL : HUGE_VAL;
        if (number.contains("e-") || number.contains("E-"))
            value = 0.0;
    }
    return parsed.ec != std::errc::invalid_argument;
}

bool StartsWithHexDigit(const QString& text) {
    const int i = SkipBlanks(text);
    if (i >= text.size())
        return false;
    const QChar c = text[i];
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace numberscan
