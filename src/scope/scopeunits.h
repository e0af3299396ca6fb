#pragma once
// Units on the oscilloscope page: the entries of a unit drop-down, raw values shown in a unit
// (trigger level, cursor read-outs, unit coefficient), and the trigger level typed in a unit.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/messages.h"

class CGlobal;

namespace scopeunits {

// The object's units in definition order, "DEC" moved to the end; "DEC" alone without units.
QStringList UnitChoices(CGlobal& g, std::int32_t key);

// A raw value in the unit: "DEC" (also for an empty unit) as a signed or unsigned integer,
// "HEX" in hexadecimal, an identity unit as DEC, any other unit converted ("%0.6f"). Empty when
// the conversion fails or waits for another object's value (the object is read again then).
QString ValueText(CGlobal& g, platform::WindowHandle owner, std::int32_t key, const QString& unit,
                  double raw, bool isSigned);

// What the graph multiplies a channel's samples by: the raw value 1 shown in the unit.
double UnitCoefficient(CGlobal& g, platform::WindowHandle owner, std::int32_t key,
                       const QString& unit, bool isSigned);

enum class LevelWrite { Ready, Parked, Refused };
// The trigger level typed in the unit as the raw value for 0x2300:0D. Parked: the conversion
// waits for a referenced value and the evaluator sends the write. Refused: the text is not a
// number in that unit (nothing is written).
LevelWrite TriggerLevelRaw(CGlobal& g, platform::WindowHandle owner, std::int32_t triggerKey,
                           const QString& unit, const QString& text, std::int32_t& raw);

// True when the object's data type is signed.
bool ObjectSigned(CGlobal& g, std::int32_t key);

}  // namespace scopeunits
