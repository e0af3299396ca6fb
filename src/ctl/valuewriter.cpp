#include "ctl/valuewriter.h"

#include "comm/abortcodes.h"
#include "ctl/valuereader.h"
#include "dictionary/objectkey.h"
#include "dictionary/rowvalue.h"
#include "dictionary/unit.h"

using namespace platform;

namespace {

// The command line's value standing in for a grid row.
class CommandLineRow : public IValueRow {
public:
    CommandLineRow(const CSdoInfo& entry, const QString& unit, const QString& text)
        : entry_(entry), unit_(unit), text_(text) {}
    std::int32_t Key() const override { return entry_.key; }
    QString DataType() const override { return entry_.dataType; }
    QString ValueText() const override { return text_; }
    QString UnitText() const override { return unit_; }

private:
    const CSdoInfo& entry_;
    QString unit_;
    QString text_;
};

// True for the display formats, and for a unit one of the object's cells matches.
template <typename Match>
bool UnitOfObject(CGlobal& global, const CSdoInfo& entry, const QString& unit, Match matches) {
    if (IsDisplayFormat(unit))
        return true;
    CSdoUnit units;
    if (!global.units.FindOrAddUnit(entry.key, entry.unitDefinition, units))
        return false;
    for (const CCellUnit& cell : units.cells)
        if (matches(cell))
            return true;
    return false;
}

// Writes match a cell's first word.
bool UnitWritable(CGlobal& global, const CSdoInfo& entry, const QString& unit) {
    return UnitOfObject(global, entry, unit,
                        [&](const CCellUnit& cell) { return cell.unitName == unit; });
}

WriteOutcome Fail(int status, const QString& text) {
    return WriteOutcome{status, false, text};
}

}  // namespace

QStringList ObjectUnits(CGlobal& global, const CSdoInfo& entry) {
    QStringList units;
    CSdoUnit cells;
    if (global.units.FindOrAddUnit(entry.key, entry.unitDefinition, cells))
        for (const CCellUnit& cell : cells.cells)
            if (!units.contains(cell.ShownText()))
                units << cell.ShownText();
    for (const char* format : {"DEC", "HEX", "ASCII"})
        if (!units.contains(QLatin1String(format)))
            units << QLatin1String(format);
    return units;
}

QString UnknownUnitText(CGlobal& global, const CSdoInfo& entry, const QString& unit) {
    return QStringLiteral("unknown unit %1 for %2 (its units: %3)")
        .arg(unit, ObjectKeyText(entry.key), ObjectUnits(global, entry).join(QStringLiteral(", ")));
}

bool UnitReadable(CGlobal& global, const CSdoInfo& entry, const QString& unit) {
    return UnitOfObject(global, entry, unit, [&](const CCellUnit& cell) {
        return cell.ShownText() == unit;  // reads match the text a row shows
    });
}

WriteOutcome WriteValue(CtlSession& session, const CSdoInfo& entry, const QString& unit,
                        const QString& text) {
    CGlobal& g = session.Global();
    if (CNumbers::SdoDownloadCommand(entry.dataType) == 0)
        return Fail(kExitUsage, QStringLiteral("%1 objects cannot be written").arg(entry.dataType));
    if (!UnitWritable(g, entry, unit) || !UnitReadable(g, entry, unit))
        return Fail(kExitUsage, UnknownUnitText(g, entry, unit));

    CommandLineRow row(entry, unit, text);
    RowConversion prepared = ConvertRowValue(g.Conversions(), session.Handle(), row);
    if (prepared.outcome == RowWrite::Refused)
        return Fail(kExitUsage, QStringLiteral("not a value in %1: %2").arg(unit, text));
    if (prepared.outcome == RowWrite::OutOfRange)
        return Fail(kExitUsage, OutOfRangeText(prepared.range));
    if (prepared.outcome == RowWrite::Queued)
        g.link.Request(session.Handle(), prepared.command, entry.key, prepared.raw);
    // A parked write goes out once the referenced objects have arrived (the evaluator sends it).

    LinkReply reply;
    if (!session.WaitForKey(entry.key, reply))
        return Fail(kExitNoLink, NoAnswerText(session));
    if (reply.msg == WM_LINK_ABORT)
        return Fail(kExitRefused, abortcodes::Describe(static_cast<std::uint32_t>(reply.wParam)));
    if (prepared.outcome == RowWrite::Parked) {
        prepared = ConvertRowValue(g.Conversions(), session.Handle(), row);  // now it converts
        if (prepared.outcome == RowWrite::OutOfRange)
            return Fail(kExitUsage, OutOfRangeText(prepared.range));
    }

    ReadOutcome shown = ShowReply(session, entry, unit, reply);
    if (shown.status != kExitOk)
        return Fail(shown.status, shown.text);
    std::uint32_t mask = CNumbers::DataTypeWidth(entry.dataType) == 32
                             ? 0xFFFFFFFFu
                             : (1u << CNumbers::DataTypeWidth(entry.dataType)) - 1;
    bool taken = (static_cast<std::uint32_t>(prepared.raw) & mask) == (shown.raw & mask);
    return WriteOutcome{kExitOk, !taken, shown.text};
}
