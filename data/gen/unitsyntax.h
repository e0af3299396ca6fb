#pragma once
// Unit definition strings as the program parses them: items "[first second]formula",
// each followed by one separator character.
#include <cstdint>
#include <string>
#include <vector>

namespace veltodata {

struct UnitItem {
    std::string unitName, displayName, formula;
    std::string Shown() const { return displayName.empty() ? unitName : displayName; }
};

// The program's own parse, step by step (no validation).
std::vector<UnitItem> ParseUnitDefinition(const std::string& definition);

// Keys of the objects a definition's formulas reference ("[iiiissll]").
std::vector<std::int32_t> FormulaReferences(const std::string& definition);

// Empty when every item is well-formed for the evaluator: every unit but the raw display
// formats has a formula; formulas alternate operand and operator, use only N, numbers,
// "[iiiissll]" references and operators, at most one trailing "+"/"-" term; otherwise a
// description of the first fault.
std::string CheckUnitDefinition(const std::string& definition);

}  // namespace veltodata
