#include "objecttable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "cp936.h"
#include "textutil.h"
#include "unitsyntax.h"

namespace veltodata {
namespace {

enum Column {
    kIndex,
    kSub,
    kType,
    kAccess,
    kDefault,
    kMin,
    kMax,
    kUnit,
    kNameEn,
    kNameZh,
    kHelpEn,
    kHelpZh,
    kColumns
};

struct TypeInfo {
    const char* shortName;
    const char* fullName;
    std::int64_t lo, hi;
};

const TypeInfo kTypes[] = {
    {"U8", "UNSIGNED8", 0, 0xFF},           {"U16", "UNSIGNED16", 0, 0xFFFF},
    {"U32", "UNSIGNED32", 0, 0xFFFFFFFFLL}, {"I8", "INTEGER8", -128, 127},
    {"I16", "INTEGER16", -32768, 32767},    {"I32", "INTEGER32", -2147483648LL, 2147483647},
    {"STR", "VISIBLE STRING", 0, 0},
};

const TypeInfo& LookupType(const std::string& name, const std::string& origin) {
    for (const TypeInfo& t : kTypes) {
        if (name == t.shortName || name == t.fullName) {
            return t;
        }
    }
    throw std::runtime_error(origin + ": unknown data type " + name);
}

// "1400..1407" or "1400" (hexadecimal) into first and count.
void ParseRange(const std::string& text, int& first, int& count, const std::string& origin) {
    std::size_t dots = text.find("..");
    std::int64_t a = 0, b = 0;
    bool ok = ParseHexText(text.substr(0, dots), a);
    b = a;
    if (ok && dots != std::string::npos) {
        ok = ParseHexText(text.substr(dots + 2), b);
    }
    if (!ok || b < a) {
        throw std::runtime_error(origin + ": bad index or sub-index " + text);
    }
    first = static_cast<int>(a);
    count = static_cast<int>(b - a + 1);
}

// A "|"-separated list over the index range, each a ","-separated list over the sub range;
// a single element stands for all.
std::string PickValue(const std::string& text, int n, int nCount, int s, int sCount,
                      const std::string& origin) {
    auto pick = [&](const std::string& list, char sep, int i, int count) {
        std::vector<std::string> parts = Split(list, sep);
        if (parts.size() == 1) {
            return parts[0];
        }
        if (static_cast<int>(parts.size()) != count) {
            throw std::runtime_error(origin + ": value list " + list + " needs " +
                                     std::to_string(count) + " elements");
        }
        return parts[i];
    };
    return pick(pick(text, '|', n, nCount), ',', s, sCount);
}

std::string Substitute(std::string text, int n, int s) {
    text = ReplaceAll(text, "{n}", std::to_string(n));
    text = ReplaceAll(text, "{s}", std::to_string(s));
    return text;
}

void CheckName(const std::string& utf8, bool chinese, const std::string& what,
               const std::string& origin) {
    if (utf8.empty()) {
        throw std::runtime_error(origin + ": " + what + " is empty");
    }
    std::string stored = chinese ? Utf8ToCp936(utf8) : utf8;
    if (!chinese && !IsAscii(utf8)) {
        throw std::runtime_error(origin + ": " + what + " is not ASCII");
    }
    if (stored.size() > 63) {
        throw std::runtime_error(origin + ": " + what + " longer than 63 bytes: " + utf8);
    }
}

// The range as the table wrote it, or the type's limit (hexadecimal for bit words).
std::string RangeText(const std::string& cell, std::int64_t value, bool hex) {
    if (!cell.empty() && cell != "-") {
        return cell;
    }
    if (hex) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(value));
        return buffer;
    }
    return std::to_string(value);
}

}  // namespace

int ObjectRow::Width() const {
    if (IsString()) {
        return 0;
    }
    std::size_t digit = dataType.find_first_of("0123456789");
    return std::stoi(dataType.substr(digit));
}

bool ParseNumber(const std::string& text, std::int64_t& value) {
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) {
        return ParseHexText(text.substr(2), value);
    }
    std::size_t start = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (text.size() == start || text.size() > 12) {
        return false;
    }
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    value = std::stoll(text);
    return true;
}

ObjectTable ObjectTable::Load(const std::string& sourceDir) {
    ObjectTable table;
    std::string unitsPath = sourceDir + "/units.tsv";
    for (const TsvLine& line : ReadTsv(unitsPath)) {
        if (line.cells.size() != 4 || line.cells[0].empty() || line.cells[0][0] != '@') {
            throw std::runtime_error(line.origin + ": unit rows have 4 columns, name first");
        }
        table.units_[line.cells[0]] = {line.cells[1], line.cells[2], line.cells[3]};
    }
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(sourceDir + "/objects")) {
        if (entry.path().extension() == ".tsv") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::string& path : files) {
        table.AddRows(path);
    }
    std::sort(table.rows_.begin(), table.rows_.end(),
              [](const ObjectRow& a, const ObjectRow& b) { return a.Key() < b.Key(); });
    table.byKey_.clear();
    for (std::size_t i = 0; i < table.rows_.size(); ++i) {
        table.byKey_[table.rows_[i].Key()] = i;
    }
    for (const ObjectRow& row : table.rows_) {
        for (std::int32_t ref : FormulaReferences(row.unitDefinition)) {
            if (!table.Find(ref)) {
                throw std::runtime_error(row.origin + ": unit refers to missing object " +
                                         KeyText(ref));
            }
        }
    }
    return table;
}

const ObjectRow* ObjectTable::Find(std::int32_t key) const {
    auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : &rows_[it->second];
}

void ObjectTable::AddRows(const std::string& path) {
    for (const TsvLine& line : ReadTsv(path)) {
        if (line.cells.size() != kColumns) {
            throw std::runtime_error(line.origin + ": expected " + std::to_string(kColumns) +
                                     " columns, found " + std::to_string(line.cells.size()));
        }
        AddRow(line.cells, line.origin);
    }
}

void ObjectTable::AddRow(const std::vector<std::string>& c, const std::string& origin) {
    int index0 = 0, nCount = 0, sub0 = 0, sCount = 0;
    ParseRange(c[kIndex], index0, nCount, origin);
    ParseRange(c[kSub], sub0, sCount, origin);
    const TypeInfo& type = LookupType(c[kType], origin);
    std::string access = c[kAccess] == "-" ? "" : c[kAccess];
    if (access != "" && access != "W" && access != "L" && access != "WL") {
        throw std::runtime_error(origin + ": access must be -, W, L or WL");
    }
    std::string unitHelpEn, unitHelpZh;
    std::string unit = ExpandUnit(c[kUnit], origin, &unitHelpEn, &unitHelpZh);
    for (int n = 0; n < nCount; ++n) {
        for (int s = 0; s < sCount; ++s) {
            ObjectRow row;
            row.origin = origin;
            row.index = static_cast<std::uint16_t>(index0 + n);
            row.sub = static_cast<std::uint8_t>(sub0 + s);
            row.dataType = type.fullName;
            row.access = access;
            row.unitDefinition = unit;
            row.nameEn = Substitute(c[kNameEn], n + 1, s + 1);
            row.nameZh = Substitute(c[kNameZh], n + 1, s + 1);
            row.helpEn = Substitute(c[kHelpEn], n + 1, s + 1);
            row.helpZh = Substitute(c[kHelpZh], n + 1, s + 1);
            row.defaultText = PickValue(c[kDefault], n, nCount, s, sCount, origin);
            std::string itemOrigin = origin + " (" + KeyText(row.Key()) + ")";
            CheckName(row.nameEn, false, "English name", itemOrigin);
            CheckName(row.nameZh, true, "Chinese name", itemOrigin);
            if (row.helpEn.empty() || row.helpZh.empty() || !IsAscii(row.helpEn)) {
                throw std::runtime_error(itemOrigin + ": help missing or English help not ASCII");
            }
            if (!row.IsString()) {
                std::string minCell = PickValue(c[kMin], n, nCount, s, sCount, origin);
                std::string maxCell = PickValue(c[kMax], n, nCount, s, sCount, origin);
                row.minValue = type.lo;
                row.maxValue = type.hi;
                bool ok = ParseNumber(row.defaultText, row.defaultValue) &&
                          (minCell == "-" || ParseNumber(minCell, row.minValue)) &&
                          (maxCell == "-" || ParseNumber(maxCell, row.maxValue));
                if (!ok || row.minValue < type.lo || row.maxValue > type.hi ||
                    row.defaultValue < row.minValue || row.defaultValue > row.maxValue) {
                    throw std::runtime_error(itemOrigin +
                                             ": default, min or max not a number "
                                             "or out of range");
                }
                bool hex = c[kUnit] == "@hex";
                std::string lo = RangeText(minCell, row.minValue, hex);
                std::string hi = RangeText(maxCell, row.maxValue, hex);
                row.helpEn += " Range: " + lo + " to " + hi +
                              (unitHelpEn.empty() ? "" : ", unit: " + unitHelpEn) + ".";
                row.helpZh += "范围：" + lo + "～" + hi +
                              (unitHelpZh.empty() ? "" : "，单位：" + unitHelpZh) + "。";
            }
            if (Utf8ToCp936(row.helpZh).size() > 4095 || row.helpEn.size() > 4095) {
                throw std::runtime_error(itemOrigin + ": help text too long");
            }
            if (byKey_.count(row.Key())) {
                throw std::runtime_error(itemOrigin + ": duplicate key, first at " +
                                         rows_[byKey_[row.Key()]].origin);
            }
            byKey_[row.Key()] = rows_.size();
            rows_.push_back(std::move(row));
        }
    }
}

std::string ObjectTable::ExpandUnit(const std::string& text, const std::string& origin,
                                    std::string* helpEn, std::string* helpZh) const {
    std::string definition = text == "-" ? "" : text;
    if (!definition.empty() && definition[0] == '@') {
        auto it = units_.find(definition);
        if (it == units_.end()) {
            throw std::runtime_error(origin + ": unknown unit " + definition);
        }
        *helpEn = it->second.helpEn == "-" ? "" : it->second.helpEn;
        *helpZh = it->second.helpZh == "-" ? "" : it->second.helpZh;
        definition = it->second.definition == "-" ? "" : it->second.definition;
    } else {
        std::vector<UnitItem> items = ParseUnitDefinition(definition);
        std::string shown = items.empty() ? "" : items[0].Shown();
        if (shown != "DEC" && shown != "HEX") {
            *helpEn = *helpZh = shown;
        }
    }
    if (definition.size() > 255 || !IsAscii(definition)) {
        throw std::runtime_error(origin + ": unit definition too long or not ASCII");
    }
    if (std::string fault = CheckUnitDefinition(definition); !fault.empty()) {
        throw std::runtime_error(origin + ": " + fault);
    }
    return definition;
}

}  // namespace veltodata
