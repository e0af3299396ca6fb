#include "ctl/valuereader.h"

#include <cmath>

#include "comm/abortcodes.h"
#include "dictionary/objectkey.h"
#include "dictionary/sdocommand.h"
#include "platform/messages.h"

using namespace platform;

namespace {

bool IsString(const CSdoInfo& entry) {
    return entry.dataType.toUpper() == QStringLiteral("VISIBLE STRING");
}

ReadOutcome Failure(int status, const QString& text) {
    return ReadOutcome{status, text, 0};
}

ReadOutcome NoAnswer(const CtlSession& session) {
    return Failure(kExitNoLink, NoAnswerText(session));
}

ReadOutcome Refused(const LinkReply& reply) {
    return Failure(kExitRefused, abortcodes::Describe(static_cast<std::uint32_t>(reply.wParam)));
}

// A formula over a referenced object that read 0 (or a reply meant for another program on the
// same port) gives nan or inf: that is no value to print.
ReadOutcome Undecodable(const CSdoInfo& entry, const QString& unit, double value) {
    return Failure(kExitUndecodable,
                   QStringLiteral("cannot decode %1 in %2 (the conversion gives %3)")
                       .arg(ObjectKeyText(entry.key), unit, std::isnan(value) ? "nan" : "inf"));
}

// The string arrives in segments of seven bytes; a shorter one ends it.
ReadOutcome ReadSegments(CtlSession& session, const CSdoInfo& entry) {
    QByteArray text;
    std::uint8_t command = sdo::SegmentEven;
    for (int guard = 0; guard < 4096; ++guard) {
        LinkReply reply;
        if (!session.Exchange(command, entry.key, 0, reply))
            return NoAnswer(session);
        if (reply.msg == WM_LINK_ABORT)
            return Refused(reply);
        if (reply.msg != WM_LINK_SEGMENT)
            continue;
        QByteArray bytes = reply.segment;
        int nul = bytes.indexOf('\0');
        text += nul >= 0 ? bytes.left(nul) : bytes;
        if (reply.segment.size() < 7)
            return ReadOutcome{kExitOk, QString::fromLatin1(text), 0};
        command = sdo::NextSegment(command);
    }
    return Failure(kExitNoLink, QStringLiteral("no answer: the string does not end"));
}

}  // namespace

QString NoAnswerText(const CtlSession& session) {
    return QStringLiteral("no answer from ") + session.DriveText();
}

QString DefaultUnit(CGlobal& global, const CSdoInfo& entry) {
    QString text;
    global.units.DefaultUnitText(entry.key, entry.unitDefinition, text);
    return text;
}

ReadOutcome ShowReply(CtlSession& session, const CSdoInfo& entry, const QString& unit,
                      const LinkReply& first) {
    CGlobal& g = session.Global();
    LinkReply reply = first;
    // A unit whose formula needs another object parks the conversion; the main-window part of
    // the session feeds the constant and the object is read again.
    for (int round = 0; round < 16; ++round) {
        if (reply.msg == WM_LINK_ABORT)
            return Refused(reply);
        auto raw = static_cast<std::uint32_t>(reply.wParam);
        double value = 0;
        if (!CNumbers::RawToNumber(entry.dataType, raw, value))
            return Failure(kExitUsage,
                           QStringLiteral("data type %1 has no value").arg(entry.dataType));
        QString formula;
        int handled = 0;
        if (g.ConvertReadValue(session.Handle(), entry.key, unit, value, formula, handled) == 1 &&
            handled) {
            if (!std::isfinite(value))
                return Undecodable(entry, unit, value);
            return ReadOutcome{kExitOk, g.FormatValue(unit, entry.dataType, formula, value), raw};
        }
        if (!session.WaitForKey(entry.key, reply))
            return NoAnswer(session);
    }
    return Failure(kExitNoLink,
                   QStringLiteral("no answer: the unit's formula cannot be evaluated"));
}

ReadOutcome ReadValue(CtlSession& session, const CSdoInfo& entry, const QString& unit) {
    LinkReply reply;
    if (!session.Exchange(sdo::Read, entry.key, 0, reply))
        return NoAnswer(session);
    if (reply.msg == WM_LINK_ABORT)
        return Refused(reply);
    if (IsString(entry))
        return ReadSegments(session, entry);
    return ShowReply(session, entry, unit, reply);
}
