// veltoctl store control|motor|all: the initialise/save dialog's store actions, confirmed by
// the drive's storing bit; "all" runs the import page's save steps.
#include <QCoreApplication>
#include <QElapsedTimer>

#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"
#include "ctl/valuereader.h"
#include "maintenance/savesteps.h"

using namespace drvdata;
using namespace platform;

namespace {

void Pause(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

int StoreAll(CtlSession& session) {
    CtlBatchHold hold(session, false);
    CSaveSteps steps;
    int pause = steps.Start();
    while (steps.Saving()) {
        Pause(pause);
        std::optional<BatchRequest> write = steps.Proceed();
        if (!write)
            break;
        LinkReply reply;
        if (!session.Exchange(write->command, write->key, write->data, reply)) {
            steps.NoReply();
            break;
        }
        const auto key = static_cast<std::int32_t>(reply.lParam);
        pause = reply.msg == WM_LINK_ABORT
                    ? steps.OnAbort(key, static_cast<std::uint32_t>(reply.wParam))
                    : steps.OnValue(key);
    }
    CtlOut(steps.StatusText());
    if (steps.StatusText() == QLatin1String("finish"))
        return kExitOk;
    return session.LinkDown() ? kExitNoLink : kExitRefused;
}

int StoreGroup(CtlSession& session, InitSaveAction action, InitSaveButton button) {
    CInitSaveRules rules;
    ActionOutcome outcome = RunInitSaveAction(session, rules, action);
    if (outcome.linkDown || !outcome.settled) {
        CtlErr(outcome.linkDown ? NoAnswerText(session)
                                : QStringLiteral("the drive did not settle"));
        return kExitNoLink;
    }
    const bool ok = rules.CaptionOk(button);
    CtlOut(InitSaveCaption(button, ok, session.Global().language));
    return ok ? kExitOk : kExitRefused;
}

}  // namespace

int RunStore(const CtlOptions& o) {
    const QString group = o.arguments[0];
    if (group != "control" && group != "motor" && group != "all") {
        CtlErr(QStringLiteral("store takes control, motor or all"));
        return kExitUsage;
    }
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    if (group == "all")
        return StoreAll(*session);
    if (group == "control")
        return StoreGroup(*session, InitSaveAction::StoreControl, InitSaveButton::StoreControl);
    return StoreGroup(*session, InitSaveAction::StoreMotor, InitSaveButton::StoreMotor);
}
