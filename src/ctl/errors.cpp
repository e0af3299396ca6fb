// The error state as the real-time error page and the error history page show it, from the
// same tables and unit rules.
#include "ctl/errors.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstdio>
#include <vector>

#include "comm/abortcodes.h"
#include "ctl/session.h"
#include "ctl/valuereader.h"
#include "dictionary/objectkey.h"
#include "dictionary/sdocommand.h"
#include "maintenance/errorcodes.h"

using namespace platform;

namespace {

void Out(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void Err(const QString& line) {
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

// The raw value of one object: kExitOk, kExitRefused or kExitNoLink (with a message).
int ReadRaw(CtlSession& session, std::int32_t key, std::uint32_t& raw) {
    LinkReply reply;
    if (!session.Exchange(sdo::Read, key, 0, reply)) {
        Err(NoAnswerText(session));
        return kExitNoLink;
    }
    if (reply.msg == WM_LINK_ABORT) {
        Err(ObjectKeyText(key) + QStringLiteral(": ") +
            abortcodes::Describe(static_cast<std::uint32_t>(reply.wParam)));
        return kExitRefused;
    }
    raw = static_cast<std::uint32_t>(reply.wParam);
    return kExitOk;
}

QString WordLine(int word, std::uint16_t value) {
    QString line = QString::asprintf("error word %d: %.4x", word, unsigned(value));
    QStringList names = errors::SetBitNames(word, value);
    if (!names.isEmpty())
        line += "  " + names.join(", ");
    return line;
}

// The history entries' name through their unit, as the history page shows it.
QString CodeName(CtlSession& session, const errors::HistoryEntry& e) {
    CGlobal& g = session.Global();
    const std::int32_t key = errors::HistoryCodeKey(e.number);
    CSdoInfo entry;
    if (!g.dictionary.FindByKey(key, entry))
        return QString::asprintf("%.0f", double(errors::ErrorCodeValue(e.code)));
    QString text;
    if (!errors::FormatErrorRowValue(g, session.Handle(), key, DefaultUnit(g, entry),
                                     entry.dataType, e.code, text))
        return QStringLiteral("????");
    return text;
}

// Reads the eight entries; refused ones are left out, empty ones (code 0) too.
int ReadHistory(CtlSession& session, std::vector<errors::HistoryEntry>& entries) {
    for (int n = 0; n < errors::kHistoryEntries; ++n) {
        errors::HistoryEntry e{n, 0, 0};
        int status = ReadRaw(session, errors::HistoryTimeKey(n), e.time);
        if (status == kExitOk)
            status = ReadRaw(session, errors::HistoryCodeKey(n), e.code);
        if (status == kExitNoLink)
            return status;
        if (status == kExitOk && e.code != 0)
            entries.push_back(e);
    }
    errors::SortNewestFirst(entries);
    return kExitOk;
}

// The bit names follow the dictionary's language: the option's, else the settings'.
void InstallCatalog(const CtlOptions& o, CGlobal& g, QTranslator& english) {
    const int language = o.language ? o.language : int(g.language);
    if (language != 1 && english.load(g.englishLibraryPath))
        QCoreApplication::installTranslator(&english);
}

}  // namespace

int RunErrors(const CtlOptions& o) {
    CtlSession session(o);
    if (!session.LoadDictionary())
        return kExitUsage;
    QTranslator english;
    InstallCatalog(o, session.Global(), english);
    QString error;
    if (int status = session.OpenLink(error)) {
        Err(error);
        return status;
    }
    std::uint32_t words[2] = {0, 0}, statusWord = 0;
    for (int w = 0; w < 2; ++w)
        if (int status =
                ReadRaw(session, w == 0 ? errors::kErrorWord1 : errors::kErrorWord2, words[w]))
            return status;
    if (int status = ReadRaw(session, errors::kStatusWord, statusWord))
        return status;
    std::vector<errors::HistoryEntry> history;
    if (int status = ReadHistory(session, history))
        return status;

    Out(WordLine(1, std::uint16_t(words[0])));
    Out(WordLine(2, std::uint16_t(words[1])));
    Out(QStringLiteral("fault: %1").arg(statusWord & errors::kStatusFaultBit ? "yes" : "no"));
    Out(QStringLiteral("history, newest first (time, code, error):"));
    for (const errors::HistoryEntry& e : history)
        Out(QString::asprintf("  %u\t%.4x\t", e.time, e.code & 0xFFFF) + CodeName(session, e));
    const bool anySet = (words[0] & 0xFFFF) || (words[1] & 0xFFFF);
    return anySet ? kExitErrorSet : kExitOk;
}
