#include "ctl/commands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

#include "ctl/session.h"
#include "ctl/valuereader.h"
#include "ctl/valuewriter.h"
#include "dictionary/entrydescription.h"
#include "dictionary/objectkey.h"

namespace {

void Out(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Err(const QString& line) {
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

// Looks the object named by the argument up; prints why not and returns false.
bool FindObject(CGlobal& g, const QString& text, CSdoInfo& entry) {
    int key = ParseObjectKey(text);
    if (key < 0) {
        Err(QStringLiteral("not an object: %1 (expected INDEX:SUB, e.g. 6041:00)").arg(text));
        return false;
    }
    if (!g.dictionary.FindByKey(key, entry)) {
        Err(QStringLiteral("unknown object %1").arg(ObjectKeyText(key)));
        return false;
    }
    return true;
}

// A session with the dictionary loaded; null (after a message) when there is none.
std::unique_ptr<CtlSession> StartSession(const CtlOptions& o) {
    auto session = std::make_unique<CtlSession>(o);
    if (!session->LoadDictionary())
        return nullptr;
    return session;
}

int OpenLink(CtlSession& session) {
    QString error;
    int status = session.OpenLink(error);
    if (status != kExitOk)
        Err(error);
    return status;
}

// Runs `run` with a session and the object named by the command's first argument; without
// them (a message says why) the command ends with a usage error.
template <typename Run>
int WithObject(const CtlOptions& o, Run run) {
    auto session = StartSession(o);
    CSdoInfo entry;
    if (!session || !FindObject(session->Global(), o.arguments[0], entry))
        return kExitUsage;
    return run(*session, entry);
}

// The unit the command names, or the one a new grid row shows.
QString UnitOf(const CtlOptions& o, CtlSession& session, const CSdoInfo& entry) {
    return o.unit.isEmpty() ? DefaultUnit(session.Global(), entry) : o.unit;
}

int Report(const ReadOutcome& outcome) {
    if (outcome.status == kExitOk) {
        Out(outcome.text);
    } else {
        Err(outcome.text);
    }
    return outcome.status;
}

}  // namespace

int RunObjects(const CtlOptions& o) {
    auto session = StartSession(o);
    if (!session)
        return kExitUsage;
    CGlobal& g = session->Global();
    CSdoInfo entry;
    for (int p = 0; g.dictionary.GetAt(p, entry); ++p)
        Out(QStringLiteral("%1\t%2\t%3\t%4")
                .arg(ObjectKeyText(entry.key), entry.dataType, entry.attribute, entry.name));
    return kExitOk;
}

int RunDescribe(const CtlOptions& o) {
    return WithObject(o, [](CtlSession&, const CSdoInfo& entry) {
        QString text = DescribeEntry(entry);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Out(text.trimmed());
        return int(kExitOk);
    });
}

int RunRead(const CtlOptions& o) {
    return WithObject(o, [&o](CtlSession& session, const CSdoInfo& entry) {
        const QString unit = UnitOf(o, session, entry);
        if (!UnitReadable(session.Global(), entry, unit)) {
            Err(UnknownUnitText(session.Global(), entry, unit));
            return int(kExitUsage);
        }
        if (int status = OpenLink(session))
            return status;
        return Report(ReadValue(session, entry, unit));
    });
}

int RunWrite(const CtlOptions& o) {
    return WithObject(o, [&o](CtlSession& session, const CSdoInfo& entry) {
        const QString unit = UnitOf(o, session, entry);
        if (int status = OpenLink(session))
            return status;
        WriteOutcome outcome = WriteValue(session, entry, unit, o.arguments[1]);
        if (outcome.status != kExitOk && !outcome.notTaken) {
            Err(outcome.text);
            return outcome.status;
        }
        Out(outcome.text);
        if (outcome.notTaken)
            Err(QStringLiteral("not taken"));
        return int(outcome.notTaken ? kExitRefused : kExitOk);
    });
}

int RunWatch(const CtlOptions& o) {
    auto session = StartSession(o);
    if (!session)
        return kExitUsage;
    std::vector<CSdoInfo> entries;
    std::vector<QString> units;
    for (const QString& arg : o.arguments) {
        CSdoInfo entry;
        if (!FindObject(session->Global(), arg, entry))
            return kExitUsage;
        entries.push_back(entry);
        units.push_back(DefaultUnit(session->Global(), entry));
    }
    if (int status = OpenLink(*session))
        return status;
    for (int round = 0; o.count == 0 || round < o.count; ++round) {
        QElapsedTimer timer;
        timer.start();
        QStringList values;
        for (size_t i = 0; i < entries.size(); ++i) {
            ReadOutcome outcome = ReadValue(*session, entries[i], units[i]);
            if (outcome.status == kExitNoLink)
                return Report(outcome);
            values << (outcome.status == kExitOk ? outcome.text : QStringLiteral("????"));
        }
        Out(values.join('\t'));
        if (o.count != 0 && round + 1 >= o.count)
            break;
        // Sleep out the interval while still serving the link's messages.
        while (timer.elapsed() < o.intervalMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return kExitOk;
}
