// veltoctl init: the initialise/save dialog's initialise action.
#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"
#include "ctl/valuereader.h"
#include "maintenance/drvobjects.h"

using namespace drvdata;

int RunInit(const CtlOptions& o) {
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    CInitSaveRules rules;
    ActionOutcome outcome = RunInitSaveAction(*session, rules, InitSaveAction::Initialise);
    if (!outcome.settled) {
        CtlErr(NoAnswerText(*session));
        return kExitNoLink;
    }
    const InitSaveButton button = InitSaveButton::Initialise;
    CtlOut(InitSaveCaption(button, rules.CaptionOk(button), session->Global().language));
    // The drive reports 10 back when it took the initialise command.
    if (outcome.writeReply != std::optional<std::uint32_t>(drvobj::kInitialiseValue)) {
        CtlErr(QStringLiteral("not taken"));
        return kExitRefused;
    }
    return kExitOk;
}
