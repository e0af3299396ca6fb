#pragma once
// Item codes of the drive data files (object key × 256 + width in bits) and the value texts
// that export, import and verification compare.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "dictionary/sdoinfo.h"

class CAllSdo;

namespace drvdata {

// Finds the dictionary entry of an object key; false when the dictionary lacks it.
using EntryLookup = std::function<bool(std::int32_t key, CSdoInfo& entry)>;
// The lookup into the program's dictionary (which must outlive it).
EntryLookup DictionaryLookup(const CAllSdo& dictionary);

// The item code a text names (hexadecimal digits; every other character is skipped).
std::uint32_t ParseItemCode(const QString& text);
inline std::int32_t ItemKey(std::uint32_t code) {
    return static_cast<std::int32_t>(code >> 8);
}
inline int ItemWidth(std::uint32_t code) {
    return static_cast<int>(code & 0xFF);
}
inline bool IsTransferWidth(int width) {
    return width == 8 || width == 16 || width == 32;
}
// "%08X", as the export shows and stores the code.
QString ItemCodeText(std::uint32_t code);

// Width in bits of a dictionary type name (UNSIGNED16 -> 16, VISIBLE STRING -> 0).
int TypeWidth(const QString& typeName);
// Expedited-download command for a width: 0x2F, 0x2B, 0x23, or 0 for any other width.
std::uint8_t WriteCommand(int width);

// The value as the export shows it: by the entry's type when the object is in the
// dictionary, else in hexadecimal by the item code's width. Empty when neither width is 8,
// 16 or 32 bits.
std::optional<QString> FormatValue(const CSdoInfo* entry, int codeWidth, std::uint32_t value);

// The number a load value stands for: hexadecimal when it holds a lower-case "x", otherwise
// the leading decimal integer (0 when none). Read in 64 bits, so 4294967295 keeps its bits.
std::uint32_t LoadNumber(const QString& loadValue);
// The number to write for a row of the given width: LoadNumber cut to the width.
std::uint32_t LoadRaw(const QString& loadValue, int width);

// The text a verified row must read back: the load value itself for objects in the
// dictionary, else its number in the width's hexadecimal form.
QString ExpectedText(const CSdoInfo* entry, int codeWidth, const QString& loadValue);

// Row outcomes, and the name of an object the dictionary lacks.
extern const char* const kTrue;
extern const char* const kFail;
extern const char* const kAlarm;
extern const char* const kUnknownName;  // "? ? ? ?"

// Texts of a row that could not be transferred (the pass goes on; the row counts as an error).
QString WidthReason(int width);
QString NoLoadValueReason();

}  // namespace drvdata
