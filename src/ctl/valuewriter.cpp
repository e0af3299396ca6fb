#include "ctl/valuewriter.h"

#include "ctl/valuereader.h"
#include "dictionary/rowvalue.h"
#include "dictionary/unit.h"

using namespace platform;

namespace {

// The command line's value standing in for a grid row.
class CommandLineRow : public IValueRow {
public:
    CommandLineRow(const CSdoInfo& entry, const QString& unit, const QString& text)
        : entry_(entry), unit_(unit), text_(text) {}
    QString KeyText() const override { return QString::number(entry_.key); }
    QString DataType() const override { return entry_.dataType; }
    QString ValueText() const override { return text_; }
    QString UnitText() const override { return unit_; }

private:
    const CSdoInfo& entry_;
    QString unit_;
    QString text_;
};

bool IsPlainFormat(const QString& unit) {
    return unit.isEmpty() || unit == "DEC" || unit == "HEX" || unit == "ASCII";
}

bool UnitWritable(CGlobal& global, const CSdoInfo& entry, const QString& unit) {
    if (IsPlainFormat(unit))
        return true;
    CSdoUnit units;
    if (!global.units.FindOrAddUnit(entry.key, entry.unitDefinition, units))
        return false;
    for (const CCellUnit& cell : units.cells)
        if (cell.unitName == unit)
            return true;
    return false;
}

WriteOutcome Fail(int status, const QString& text) {
    return WriteOutcome{status, false, text};
}

}  // namespace

bool UnitReadable(CGlobal& global, const CSdoInfo& entry, const QString& unit) {
    if (IsPlainFormat(unit))
        return true;
    CSdoUnit units;
    if (!global.units.FindOrAddUnit(entry.key, entry.unitDefinition, units))
        return false;
    for (const CCellUnit& cell : units.cells)
        if (cell.displayName.isEmpty() ? cell.unitName == unit : cell.displayName == unit)
            return true;
    return false;
}

WriteOutcome WriteValue(CtlSession& session, const CSdoInfo& entry, const QString& unit,
                        const QString& text) {
    CGlobal& g = session.Global();
    if (CGlobal::SdoDownloadCommand(entry.dataType) == 0)
        return Fail(kExitUsage, QStringLiteral("%1 objects cannot be written").arg(entry.dataType));
    if (!UnitWritable(g, entry, unit) || !UnitReadable(g, entry, unit))
        return Fail(kExitUsage, QStringLiteral("unknown unit %1 for this object").arg(unit));

    CommandLineRow row(entry, unit, text);
    std::int32_t raw = 0;
    std::uint8_t command = 0;
    RowWrite prepared = ConvertRowValue(g, session.Handle(), row, raw, command);
    if (prepared == RowWrite::Refused)
        return Fail(kExitUsage, QStringLiteral("not a value in %1: %2").arg(unit, text));
    if (prepared == RowWrite::Queued)
        g.link.Request(session.Handle(), command, entry.key, raw);
    // A parked write goes out once the referenced objects have arrived (the evaluator sends it).

    LinkReply reply;
    if (!session.WaitForKey(entry.key, reply))
        return Fail(kExitNoLink, "no answer from the drive");
    if (reply.msg == WM_LINK_ABORT)
        return Fail(kExitRefused,
                    QString::asprintf("abort 0x%08x", static_cast<unsigned>(reply.wParam)));
    if (prepared == RowWrite::Parked)
        ConvertRowValue(g, session.Handle(), row, raw, command);

    ReadOutcome shown = ShowReply(session, entry, unit, reply);
    if (shown.status != kExitOk)
        return Fail(shown.status, shown.text);
    std::uint32_t mask = CGlobal::DataTypeWidth(entry.dataType) == 32
                             ? 0xFFFFFFFFu
                             : (1u << CGlobal::DataTypeWidth(entry.dataType)) - 1;
    bool taken = (static_cast<std::uint32_t>(raw) & mask) == (shown.raw & mask);
    return WriteOutcome{kExitOk, !taken, shown.text};
}
