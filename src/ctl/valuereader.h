#pragma once
// Reads one object's value as a grid row shows it: raw reply, unit conversion (with formulas
// that may need other objects first) and formatting; strings in segments.
#include <QString>

#include "ctl/session.h"
#include "dictionary/sdoinfo.h"

struct ReadOutcome {
    int status = kExitOk;  // kExitOk, kExitRefused, kExitNoLink or kExitUndecodable
    QString text;          // the value text, or the reason on failure
    std::uint32_t raw = 0;
};

// "no answer from drive 1 on /dev/ttyUSB0"
QString NoAnswerText(const CtlSession& session);

// The unit text a new grid row gets for the object ("DEC" when it has no units).
QString DefaultUnit(CGlobal& global, const CSdoInfo& entry);

// Reads the object and formats it in `unit`.
ReadOutcome ReadValue(CtlSession& session, const CSdoInfo& entry, const QString& unit);

// Formats a value reply for the object in `unit`, as a page does; waits for parked formula
// references when needed. `reply` is the WM_LINK_VALUE that arrived for the object.
ReadOutcome ShowReply(CtlSession& session, const CSdoInfo& entry, const QString& unit,
                      const LinkReply& reply);
