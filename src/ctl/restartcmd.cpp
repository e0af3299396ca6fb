// veltoctl restart: restarts the drive and returns once it answers again.
#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"

using namespace drvdata;

int RunRestart(const CtlOptions& o) {
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    CInitSaveRules rules;
    ActionOutcome outcome =
        RunInitSaveAction(*session, rules, InitSaveAction::Restart, /*restarting=*/true);
    if (outcome.writeRefused) {
        CtlErr(QStringLiteral("restart refused"));
        return kExitRefused;
    }
    if (!outcome.settled) {
        CtlErr(QStringLiteral("no link: the drive did not answer after the restart"));
        return kExitNoLink;
    }
    CtlOut(QStringLiteral("Drive restarted"));
    return kExitOk;
}
