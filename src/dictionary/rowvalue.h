#pragma once
// Converting the value typed into a parameter-grid row for a write. The grid binds its row
// cells to IValueRow, so the conversion itself needs no widgets.
#include <QString>
#include <cstdint>

#include "dictionary/valueconv.h"
#include "platform/messages.h"

// The cells of one grid row that a write needs.
class IValueRow {
public:
    virtual ~IValueRow() = default;
    virtual std::int32_t Key() const = 0;   // the row's object key (0: not an object row)
    virtual QString DataType() const = 0;   // column 3, data type name
    virtual QString ValueText() const = 0;  // column 4, the typed value
    virtual QString UnitText() const = 0;   // column 6, unit shown
};

enum class RowWrite {
    Queued,      // the write is on the control link
    Parked,      // waits for a referenced object's value; the evaluator sends it
    Refused,     // nothing written; the row is re-read to show the drive's value
    OutOfRange,  // nothing written: the value does not fit the object's data type
};

struct RowConversion {
    RowWrite outcome = RowWrite::Refused;
    std::int32_t raw = 0;      // Queued: the raw value to write
    std::uint8_t command = 0;  // Queued: the write command of the data type's width
    QString range;             // OutOfRange: the type's range in the row's unit
};

// Converts the typed text from the row's unit to a raw value for `owner` (nothing is sent).
// Text that does not begin with a number in that unit (or has the wrong length for "ASCII") is
// refused, never written as 0; a value outside the data type's range is never cut to fit.
// Parked leaves the write with the evaluator, which checks the range again when it sends it.
RowConversion ConvertRowValue(const UnitContext& units, platform::WindowHandle owner,
                              const IValueRow& row);

// The message of a value outside its object's range ("Value out of range: 0 .. 65535 DEC!").
QString OutOfRangeText(const QString& range);
