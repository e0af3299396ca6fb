// veltoctl import IN.qxi [--log FILE]: the import page's write pass, its verification and
// result log.
#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/importpass.h"

using namespace drvdata;

int RunImport(const CtlOptions& o) {
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    std::vector<ImportRow> rows;
    if (!ReadImportRows(*session, o.arguments[0], rows))
        return kExitUsage;
    CImportPass pass(rows, DictionaryLookup(session->Global().dictionary));
    {
        CtlBatchHold hold(*session, false);
        RunBatchPass(*session, pass);
    }
    const QStringList log = ResultLogLines(rows);
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].result != QLatin1String(kTrue))
            CtlErr(log[static_cast<int>(r)]);
    if (!o.logPath.isEmpty() && !WriteLines(o.logPath, log)) {
        CtlErr(QStringLiteral("cannot write %1").arg(o.logPath));
        return kExitUsage;
    }
    CtlOut(pass.StatusText());
    return PassExit(pass, pass.ErrorCount() == 0 && pass.AlarmCount() == 0);
}
