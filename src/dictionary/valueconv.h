#pragma once
// Value conversion between raw drive values and display text in an object's units. The
// settings object offers these as its own operations (CGlobal::ConvertReadValue ...).
#include <QString>
#include <cstdint>

#include "dictionary/sdounit.h"
#include "platform/messages.h"

class CAllSdo;
class CFormula;
class CUnit;

// What a conversion works with: the unit table, the dictionary its entries are made from and
// the evaluator of their formulas.
struct UnitContext {
    const CAllSdo& dictionary;
    CUnit& units;
    CFormula& evaluator;
};

// The display formats every object has besides its named units.
inline bool IsDisplayFormat(const QString& unitText) {
    return unitText.isEmpty() || unitText == QLatin1String("DEC") ||
           unitText == QLatin1String("HEX") || unitText == QLatin1String("ASCII");
}

namespace valueconv {

// The object's unit entry; made from its dictionary definition when no row has asked for its
// default unit yet. 0 when the object is unknown to both.
int LookupObjectUnit(const UnitContext& units, std::int32_t key, CSdoUnit& entry);

// A value read from the drive (made a number by its type) in the row's unit: 1 when `value`
// holds what the row shows (`formula` the cell's formula), 0 when no cell converts it or a
// referenced object must be read first (the conversion is then parked in the evaluator).
int ConvertReadValue(const UnitContext& units, platform::WindowHandle owner, int key,
                     const QString& unitText, double& value, QString& formula, int& handled);
// The value column's text of a converted value.
QString FormatValue(const QString& unitText, const QString& typeName, const QString& formula,
                    double value);
// The integer variant one page uses.
QString FormatRawValue(const QString& unitText, const QString& typeName, const QString& formula,
                       std::int32_t raw);

}  // namespace valueconv
