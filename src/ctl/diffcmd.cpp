// veltoctl diff IN.qxi: what an import of the file would change, read without writing.
#include "ctl/maintcommands.h"
#include "ctl/maintrun.h"
#include "maintenance/importpass.h"

using namespace drvdata;

namespace {
// The drive's side of a row that differs: its value, or why there is none.
QString DriveSide(const ImportRow& row) {
    if (row.result == QLatin1String(kFail) && row.readValue.startsWith(QLatin1String("0x")))
        return QStringLiteral("refused ") + row.readValue;
    return row.readValue;
}
}  // namespace

int RunDiff(const CtlOptions& o) {
    int status = kExitOk;
    auto session = OpenMaintSession(o, status);
    if (!session)
        return status;
    std::vector<ImportRow> rows;
    if (!ReadImportRows(*session, o.arguments[0], rows))
        return kExitUsage;
    CImportPass pass(rows, DictionaryLookup(session->Global().dictionary),
                     CImportPass::Mode::Compare);
    {
        CtlBatchHold hold(*session, false);
        RunBatchPass(*session, pass);
    }
    int differ = 0;
    for (const ImportRow& row : rows) {
        if (row.result.isEmpty() || row.result == QLatin1String(kTrue))
            continue;
        ++differ;
        CtlOut(row.codeText + '\t' + row.loadValue + '\t' + DriveSide(row));
    }
    if (pass.state() == CBatchPass::State::LinkLost) {
        CtlErr(pass.StatusText());
        return kExitNoLink;
    }
    CtlErr(QStringLiteral("Finish: Total:%1  Differ:%2").arg(rows.size()).arg(differ));
    return differ == 0 ? kExitOk : kExitDiffer;
}
