#pragma once
// Writes one object's value as a grid row does and reports what the drive keeps.
#include <QString>
#include <QStringList>

#include "ctl/session.h"
#include "dictionary/sdoinfo.h"

struct WriteOutcome {
    int status = kExitOk;   // kExitOk, kExitUsage, kExitRefused or kExitNoLink
    bool notTaken = false;  // the drive reports a value other than the one written
    QString text;           // the reported value in the unit, or the reason on failure
};

// The units a read or write may name: the object's own, then DEC, HEX and ASCII.
QStringList ObjectUnits(CGlobal& global, const CSdoInfo& entry);
// "unknown unit xyz for 6081:00 (its units: rpm, uu/s, DEC, HEX, ASCII)"
QString UnknownUnitText(CGlobal& global, const CSdoInfo& entry, const QString& unit);

// True when a read in `unit` converts for this object (DEC, HEX, ASCII or one of its units).
bool UnitReadable(CGlobal& global, const CSdoInfo& entry, const QString& unit);

WriteOutcome WriteValue(CtlSession& session, const CSdoInfo& entry, const QString& unit,
                        const QString& text);
