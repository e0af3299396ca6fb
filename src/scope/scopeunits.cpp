#include "scope/scopeunits.h"

#include <cmath>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "dictionary/valueconv.h"
#include "scope/scopeobjects.h"

namespace scopeunits {
namespace {

const QString kDec = QStringLiteral("DEC");
const QString kHex = QStringLiteral("HEX");
const QString kIdentity = QStringLiteral("N*1");

// The cell a drop-down entry stands for (its shown text); null when none.
bool FindShownCell(CGlobal& g, std::int32_t key, const QString& unit, CCellUnit& cell) {
    CSdoUnit entry;
    if (!valueconv::LookupObjectUnit(g.Conversions(), key, entry))
        return false;
    for (const CCellUnit& c : entry.cells)
        if (c.ShownText() == unit) {
            cell = c;
            return true;
        }
    return false;
}

QString IntegerText(double raw, bool isSigned) {
    const std::int64_t n = numberscan::TruncateToInt64(raw);
    return isSigned ? QString::asprintf("%d", std::int32_t(n))
                    : QString::asprintf("%u", std::uint32_t(n));
}

}  // namespace

QStringList UnitChoices(CGlobal& g, std::int32_t key) {
    QStringList units;
    CSdoUnit entry;
    bool decLast = false;
    if (valueconv::LookupObjectUnit(g.Conversions(), key, entry)) {
        for (const CCellUnit& cell : entry.cells) {
            const QString text = cell.ShownText();
            if (text == kDec)
                decLast = true;
            else
                units << text;
        }
    }
    if (decLast || units.isEmpty())
        units << kDec;
    return units;
}

QString ValueText(CGlobal& g, platform::WindowHandle owner, std::int32_t key, const QString& unit,
                  double raw, bool isSigned) {
    if (unit.isEmpty() || unit == kDec)
        return IntegerText(raw, isSigned);
    if (unit == kHex)
        return QString::asprintf("%x", std::uint32_t(numberscan::TruncateToInt64(raw)));
    CCellUnit cell;
    if (FindShownCell(g, key, unit, cell) && cell.formula == kIdentity)
        return IntegerText(raw, isSigned);
    // The conversion keeps the object's formula constant current; a probe value must not
    // become that constant.
    const bool hadConst = g.evaluator.HasConst(key);
    const std::int32_t previous = hadConst ? g.evaluator.GetConst(key) : 0;
    double value = raw;
    QString formula;
    int handled = 0;
    const int converted = g.ConvertReadValue(owner, key, unit, value, formula, handled);
    if (hadConst)
        g.evaluator.SetConst(key, previous);
    if (!converted || !std::isfinite(value))
        return QString();
    return QString::asprintf("%0.6f", value);
}

double UnitCoefficient(CGlobal& g, platform::WindowHandle owner, std::int32_t key,
                       const QString& unit, bool isSigned) {
    double value = 0;
    numberscan::LeadingDecimal(ValueText(g, owner, key, unit, 1, isSigned), value);
    return value;
}

LevelWrite TriggerLevelRaw(CGlobal& g, platform::WindowHandle owner, std::int32_t triggerKey,
                           const QString& unit, const QString& text, std::int32_t& raw) {
    std::int64_t whole = 0;
    if (unit == kHex) {
        if (!numberscan::StartsWithHexDigit(text))
            return LevelWrite::Refused;
        raw = CGlobal::ParseHex(text);
        return LevelWrite::Ready;
    }
    CCellUnit cell;
    const bool identity = FindShownCell(g, triggerKey, unit, cell) && cell.formula == kIdentity;
    if (unit.isEmpty() || unit == kDec || identity) {
        if (!numberscan::LeadingInteger(text, whole))
            return LevelWrite::Refused;
        raw = std::int32_t(whole);
        return LevelWrite::Ready;
    }
    double x = 0;
    if (!numberscan::LeadingDecimal(text, x))
        return LevelWrite::Refused;
    CSdoUnit entry;
    if (!valueconv::LookupObjectUnit(g.Conversions(), triggerKey, entry))
        return LevelWrite::Refused;
    for (const CCellUnit& c : entry.cells) {
        if (c.unitName != unit)
            continue;  // typed values go through the unit's write item
        if (!g.evaluator.EvaluateToInt(owner, c.formula, x, raw)) {
            g.evaluator.SetPending(scope::Key(scope::kTriggerLevel), sdo::Write4, x, c.formula);
            return LevelWrite::Parked;
        }
        return g.evaluator.LastEvaluationSound() ? LevelWrite::Ready : LevelWrite::Refused;
    }
    return LevelWrite::Refused;
}

bool ObjectSigned(CGlobal& g, std::int32_t key) {
    CSdoInfo entry;
    return g.dictionary.FindByKey(key, entry) &&
           (entry.dataType.startsWith(u'I') || entry.dataType.startsWith(u'i'));
}

}  // namespace scopeunits
