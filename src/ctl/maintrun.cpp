#include "ctl/maintrun.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "comm/protocol.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/drvobjects.h"

using namespace drvdata;
using namespace platform;

void CtlOut(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void CtlErr(const QString& line) {
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

std::unique_ptr<CtlSession> OpenMaintSession(const CtlOptions& options, int& status) {
    auto session = std::make_unique<CtlSession>(options);
    if (!session->LoadDictionary()) {
        status = kExitUsage;
        return nullptr;
    }
    QString error;
    status = session->OpenLink(error);
    if (status != kExitOk) {
        CtlErr(error);
        return nullptr;
    }
    return session;
}

CtlBatchHold::CtlBatchHold(CtlSession& session, bool polling) : session_(session) {
    CGlobal& g = session.Global();
    g.pollingEnabled = polling ? 1 : 0;
    g.exclusiveMode = 1;
    g.exclusiveOwner = session.Handle();
}

CtlBatchHold::~CtlBatchHold() {
    CGlobal& g = session_.Global();
    g.exclusiveMode = 0;
    g.exclusiveOwner = 0;
    g.pollingEnabled = 1;
    g.link.Protocol().retryOnSendFailure = 1;
}

void RunBatchPass(CtlSession& session, CBatchPass& pass) {
    std::optional<BatchRequest> next = pass.Start();
    while (next) {
        LinkReply reply;
        if (!session.Exchange(next->command, next->key, next->data, reply)) {
            if (session.LinkDown()) {
                pass.LinkLost();
                return;
            }
            next = pass.OnNoReply();
            continue;
        }
        const auto value = static_cast<std::uint32_t>(reply.wParam);
        next = reply.msg == WM_LINK_ABORT ? pass.OnAbort(next->key, value)
                                          : pass.OnValue(next->key, value);
    }
}

int PassExit(const CBatchPass& pass, bool allTrue) {
    if (pass.state() == CBatchPass::State::LinkLost)
        return kExitNoLink;
    return allTrue ? kExitOk : kExitRefused;
}

bool ReadImportRows(CtlSession& session, const QString& path, std::vector<ImportRow>& rows) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CtlErr(QStringLiteral("cannot open %1").arg(path));
        return false;
    }
    rows = ImportRows(ReadDataFile(file), DictionaryLookup(session.Global().dictionary));
    return true;
}

namespace {
constexpr int kSettleMs = 15000;  // a store or a restart is over well within this
constexpr int kReplyWaitMs = 500;

void TakeReply(const LinkReply& reply, const BatchRequest& write, ActionOutcome& outcome) {
    const auto key = static_cast<std::int32_t>(reply.lParam);
    if (key != write.key || outcome.writeReply || outcome.writeRefused)
        return;
    if (reply.msg == WM_LINK_ABORT)
        outcome.writeRefused = true;
    else
        outcome.writeReply = static_cast<std::uint32_t>(reply.wParam);
}
}  // namespace

ActionOutcome RunInitSaveAction(CtlSession& session, CInitSaveRules& rules, InitSaveAction action,
                                bool restarting) {
    CGlobal& g = session.Global();
    CtlBatchHold hold(session, true);
    g.link.AddWatch(session.Handle(), drvobj::kDriveStatus, 1);
    g.link.ActivateWatches(session.Handle());
    const BatchRequest write = rules.Begin(action);
    g.link.Request(session.Handle(), write.command, write.key, write.data);
    ActionOutcome outcome;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kSettleMs) {
        const bool answered = outcome.writeReply || outcome.writeRefused || restarting;
        if (rules.ActionsEnabled() && answered) {
            outcome.settled = true;
            break;
        }
        LinkReply reply;
        if (session.NextReply(reply, kReplyWaitMs)) {
            TakeReply(reply, write, outcome);
            if (reply.msg == WM_LINK_VALUE)
                rules.OnValue(static_cast<std::int32_t>(reply.lParam),
                              static_cast<std::uint32_t>(reply.wParam));
        } else if (session.LinkDown()) {
            if (!restarting)
                break;
            session.ClearLinkDown();  // silent while restarting: keep asking
        }
    }
    outcome.linkDown = !outcome.settled && session.LinkDown();
    g.link.DeactivateWatches(session.Handle());
    return outcome;
}
