#pragma once
// Writing the value typed into a parameter-grid row. The grid binds its row cells to
// IValueRow, so the conversion itself needs no widgets.
#include <QString>
#include <cstdint>

#include "platform/messages.h"

class CGlobal;

// The cells of one grid row that a write needs.
class IValueRow {
public:
    virtual ~IValueRow() = default;
    virtual QString KeyText() const = 0;    // column 1, object key in decimal
    virtual QString DataType() const = 0;   // column 3, data type name
    virtual QString ValueText() const = 0;  // column 4, the typed value
    virtual QString UnitText() const = 0;   // column 6, unit shown
};

enum class RowWrite {
    Queued,   // the write is on the control link
    Parked,   // waits for a referenced object's value; the evaluator sends it
    Refused,  // nothing written; the row is re-read to show the drive's value
};

// Converts the typed text from the row's unit to a raw value and queues the write for
// `owner`. Text that does not begin with a number in that unit (or has the wrong length for
// "ASCII") is never written as 0: the write is refused and the object read again instead.
RowWrite WriteRowValue(CGlobal& global, platform::WindowHandle owner, const IValueRow& row);

// The conversion alone: Queued gives the raw value and command byte to write (nothing is sent);
// Parked leaves the write with the evaluator as WriteRowValue does; Refused sends nothing.
RowWrite ConvertRowValue(CGlobal& global, platform::WindowHandle owner, const IValueRow& row,
                         std::int32_t& raw, std::uint8_t& command);
