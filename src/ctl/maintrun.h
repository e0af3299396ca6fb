#pragma once
// What the drive data commands of veltoctl share: a session with the link open, a batch pass
// run one request at a time, the exclusive use of the link, and the output.
#include <QString>
#include <memory>

#include "ctl/session.h"
#include "maintenance/batchpass.h"
#include "maintenance/importpass.h"
#include "maintenance/initsaverules.h"

constexpr int kExitDiffer = 4;  // diff: some values differ

void CtlOut(const QString& line);
void CtlErr(const QString& line);

// A session with the dictionary loaded and the link open; null after a message, with the
// exit status in `status`.
std::unique_ptr<CtlSession> OpenMaintSession(const CtlOptions& options, int& status);

// Holds the link for the session the way a batch page holds it, polling switched off unless
// `polling` is set; gives it back at the end.
class CtlBatchHold {
public:
    CtlBatchHold(CtlSession& session, bool polling);
    ~CtlBatchHold();

private:
    CtlSession& session_;
};

// Runs the pass to its end over the session's link.
void RunBatchPass(CtlSession& session, drvdata::CBatchPass& pass);
// The exit status of an ended pass: kExitNoLink when the link was lost, else `ok` or
// kExitRefused.
int PassExit(const drvdata::CBatchPass& pass, bool allTrue);

// The rows of a data file with their dictionary names; false after a message.
bool ReadImportRows(CtlSession& session, const QString& path,
                    std::vector<drvdata::ImportRow>& rows);

struct ActionOutcome {
    bool settled = false;   // the action buttons would be back
    bool linkDown = false;  // the link went down and stayed down
    bool writeRefused = false;
    std::optional<std::uint32_t> writeReply;
};
// Runs one action of the initialise/save dialog: its write, then the status readings until its
// buttons would come back. `restarting` tolerates the drive's silence while it restarts.
ActionOutcome RunInitSaveAction(CtlSession& session, drvdata::CInitSaveRules& rules,
                                drvdata::InitSaveAction action, bool restarting = false);
