#include "unitsyntax.h"

#include <cctype>

namespace veltodata {
namespace {

bool IsFormulaChar(char c) {
    static const std::string set = "0123456789ABCDEF.N*/+-[]sqrt()";
    return set.find(c) != std::string::npos;
}

// Tokenises one formula; returns an error text or empty. `refs` receives referenced keys.
std::string CheckFormula(const std::string& f, std::vector<std::int32_t>* refs) {
    if (f.empty() || f == "N*1") {
        return "";
    }
    bool wantOperand = true;
    bool sawAddSub = false;
    for (std::size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c == '*' || c == '/' || c == '+' || c == '-') {
            if (wantOperand || sawAddSub) {
                return "operator out of place in " + f;
            }
            sawAddSub = c == '+' || c == '-';
            wantOperand = true;
            continue;
        }
        if (!wantOperand) {
            return "two operands in a row in " + f;
        }
        wantOperand = false;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i + 1 < f.size() &&
                   (std::isdigit(static_cast<unsigned char>(f[i + 1])) || f[i + 1] == '.')) {
                ++i;
            }
        } else if (c == 'N') {
        } else if (c == '[') {
            if (i + 9 >= f.size() + 0 || f[i + 9] != ']') {
                return "reference without 8 digits and ] in " + f;
            }
            std::int32_t value = 0;
            for (std::size_t k = i + 1; k < i + 9; ++k) {
                if (!std::isxdigit(static_cast<unsigned char>(f[k])) ||
                    std::islower(static_cast<unsigned char>(f[k]))) {
                    return "bad reference digits in " + f;
                }
                value = value * 16 + std::stoi(std::string(1, f[k]), nullptr, 16);
            }
            if (refs) {
                refs->push_back(static_cast<std::int32_t>(static_cast<std::uint32_t>(value) >> 8));
            }
            i += 9;
        } else {
            return std::string("character ") + c + " not supported in " + f;
        }
    }
    return wantOperand ? "formula ends with an operator: " + f : "";
}

}  // namespace

std::vector<UnitItem> ParseUnitDefinition(const std::string& definition) {
    std::vector<UnitItem> items;
    if (definition.size() < 3) {
        return items;
    }
    std::string rest = definition;
    while (!rest.empty()) {
        std::size_t open = rest.find('['), close = rest.find(']');
        if (open == std::string::npos || close == std::string::npos) {
            break;
        }
        std::string text = close > open ? rest.substr(open + 1, close - open - 1) : "";
        UnitItem item;
        std::size_t space = text.find(' ');
        item.unitName = text.substr(0, space);
        item.displayName = space == std::string::npos ? "" : text.substr(space + 1);
        rest.erase(0, close + 1);
        std::size_t len = 0;
        while (len < rest.size() && IsFormulaChar(rest[len])) {
            ++len;
        }
        item.formula = rest.substr(0, len);
        rest.erase(0, len);
        items.push_back(item);
        if (!rest.empty()) {
            rest.erase(0, 1);
        }
    }
    return items;
}

std::vector<std::int32_t> FormulaReferences(const std::string& definition) {
    std::vector<std::int32_t> refs;
    for (const UnitItem& item : ParseUnitDefinition(definition)) {
        CheckFormula(item.formula, &refs);
    }
    return refs;
}

std::string CheckUnitDefinition(const std::string& definition) {
    if (definition.size() < 3) {
        return definition.empty() ? "" : "definition shorter than 3 characters";
    }
    std::vector<UnitItem> items = ParseUnitDefinition(definition);
    if (items.empty()) {
        return "no unit item";
    }
    for (const UnitItem& item : items) {
        if (item.unitName.empty()) {
            return "item without a unit name";
        }
        // Reads evaluate items with a second word, writes every named unit: only the raw
        // display formats may go without a formula.
        bool rawFormat =
            item.unitName == "HEX" || item.unitName == "DEC" || item.unitName == "ASCII";
        if (item.formula.empty() && (!rawFormat || !item.displayName.empty())) {
            return "unit " + item.unitName + " without a formula";
        }
        std::string error = CheckFormula(item.formula, nullptr);
        if (!error.empty()) {
            return error;
        }
    }
    return "";
}

}  // namespace veltodata
