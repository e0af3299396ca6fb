// veltoctl export LIST.qxo OUT.qxi: the export page's read pass and data file.
#include <QFile>

#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/exportpass.h"

using namespace drvdata;

int RunExport(const CtlOptions& o) {
    QFile list(o.arguments[0]);
    if (!list.open(QIODevice::ReadOnly)) {
        CtlErr(QStringLiteral("cannot open %1").arg(o.arguments[0]));
        return kExitUsage;
    }
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    const EntryLookup lookup = DictionaryLookup(session->Global().dictionary);
    std::vector<ExportRow> rows = ExportRows(ReadUploadList(list), lookup);
    CExportPass pass(rows, lookup);
    {
        CtlBatchHold hold(*session, false);
        RunBatchPass(*session, pass);
    }
    if (!WriteLines(o.arguments[1], DataFileLines(rows))) {
        CtlErr(QStringLiteral("cannot write %1").arg(o.arguments[1]));
        return kExitUsage;
    }
    CtlOut(pass.StatusText());
    return PassExit(pass, pass.ErrorCount() == 0);
}
