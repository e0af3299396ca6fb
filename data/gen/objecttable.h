#pragma once
// The drive's objects as described by the source tables under data/objects/ (UTF-8 text,
// one row per object or per family of objects), expanded and checked.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace veltodata {

struct ObjectRow {
    std::uint16_t index = 0;
    std::uint8_t sub = 0;
    std::string dataType;     // full name, e.g. UNSIGNED16 or VISIBLE STRING
    std::string access;       // "W", "L", "WL" or empty
    std::string defaultText;  // number (decimal or 0x hex) or, for strings, the text
    std::int64_t defaultValue = 0, minValue = 0, maxValue = 0;  // numbers only
    std::string unitDefinition;                                 // expanded unit definition
    std::string nameEn, nameZh, helpEn, helpZh;  // UTF-8; help completed with range and unit
    std::string origin;                          // file:line of the source row

    std::int32_t Key() const { return index * 256 + sub; }
    bool IsString() const { return dataType == "VISIBLE STRING"; }
    int Width() const;  // 8, 16, 32 or 0 for strings
    bool IsSigned() const { return !dataType.empty() && dataType[0] == 'I'; }
};

// A named unit definition (data/units.tsv): how help texts name the raw unit, and the
// definition that replaces "@name" in the tables.
struct UnitMacro {
    std::string helpEn, helpZh, definition;
};

class ObjectTable {
public:
    // Reads units.tsv and every objects/*.tsv of `sourceDir` in name order; throws
    // std::runtime_error with file and line on any malformed or inconsistent row.
    static ObjectTable Load(const std::string& sourceDir);

    const std::vector<ObjectRow>& Rows() const { return rows_; }
    const ObjectRow* Find(std::int32_t key) const;

private:
    void AddRows(const std::string& path);
    void AddRow(const std::vector<std::string>& cells, const std::string& origin);
    std::string ExpandUnit(const std::string& text, const std::string& origin, std::string* helpEn,
                           std::string* helpZh) const;

    std::map<std::string, UnitMacro> units_;
    std::vector<ObjectRow> rows_;
    std::map<std::int32_t, std::size_t> byKey_;
};

// Numbers as the tables write them: decimal with optional sign, or 0x hexadecimal.
bool ParseNumber(const std::string& text, std::int64_t& value);

}  // namespace veltodata
