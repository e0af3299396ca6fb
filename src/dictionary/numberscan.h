#pragma once
// Number reading for typed values and conversion results: the C library's "leading number"
// reading, but locale-independent and able to tell whether the text holds a number at all.
#include <QString>
#include <cstdint>

namespace numberscan {

// Truncates toward zero; NaN gives 0, values beyond the 64-bit range saturate.
std::int64_t TruncateToInt64(double value);
// Truncates toward zero to 64 bits and keeps the low 32 bits (so 4294967295.0 gives -1).
std::int32_t TruncateToInt32(double value);

// After leading blanks: an optional sign, then decimal digits. False when no digit follows,
// otherwise `value` is the number read up to the first other character (saturated like strtoll).
bool LeadingInteger(const QString& text, std::int64_t& value);
// The C library's decimal conversion as the settings and list files are read with (atoi):
// LeadingInteger's number cut to int, 0 when the text does not begin with one.
int CDecimal(const QString& text);
// After leading blanks: an optional sign and a decimal number with optional fraction and
// exponent ("12abc" reads 12, ".5" reads 0.5). False when the text does not begin with one.
bool LeadingDecimal(const QString& text, double& value);
// After leading blanks the text begins with a hexadecimal digit.
bool StartsWithHexDigit(const QString& text);

}  // namespace numberscan
