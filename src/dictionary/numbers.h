#pragma once
// The numeric helpers of the settings object: digit scanning of decimal and hexadecimal text
// and the operations on data type names. CGlobal offers them as its own; the dictionary and
// the link use them here.
#include <QString>
#include <cstdint>

struct CNumbers {
    // Digits accumulate left to right, every other character is skipped; a leading "-" negates.
    // Arithmetic wraps at 32 bits.
    static int ParseDecimal(const QString& text);
    static int ParseHex(const QString& text);
    // The number ParseHex reads, without its 32-bit wrap (beyond 2^40 it stays there), so a
    // text too long for an object's width can be told from a short one.
    static std::int64_t HexValue(const QString& text);
    // The width in bits a data type name gives by its digits (UNSIGNED16: 16; strings: 0).
    static int DataTypeWidth(const QString& typeName);
    // The expedited download command of the type's width; 0 for widths other than 8, 16, 32.
    static std::uint8_t SdoDownloadCommand(const QString& typeName);
    // The raw value as the type's signed or unsigned number; 0 without a usable type.
    static int RawToNumber(const QString& typeName, std::uint32_t raw, double& value);

    // Unsigned types are the ones whose name begins with "U" or "u".
    static bool IsUnsignedType(const QString& typeName);
    // The numbers an object of the type holds (0..65535, -32768..32767, ...); false for
    // widths other than 8, 16, 32.
    static bool TypeRange(const QString& typeName, std::int64_t& low, std::int64_t& high);
};
