// veltoctl: scripts a drive through the program's own link, dictionary and units.
#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>

#include "ctl/commands.h"
#include "ctl/errors.h"
#include "ctl/maintcommands.h"
#include "ctl/options.h"
#include "ctl/scancommand.h"
#include "ctl/scopecommand.h"
#include "ctl/session.h"

int main(int argc, char** argv) {
    // The virtual CAN bus reports its hub and client state; scripts want stderr for errors only.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("qt.canbus.plugins.virtualcan=false"));
    QCoreApplication app(argc, argv);
    CtlOptions options;
    ParseResult parsed = ParseCtlOptions(app.arguments().mid(1), options);
    if (options.help) {
        std::fputs(UsageText(options.command).toUtf8().constData(), stdout);
        return kExitOk;
    }
    if (!parsed.ok) {
        std::fprintf(stderr, "veltoctl: %s\n\n%s", qPrintable(parsed.error),
                     UsageText(options.command).toUtf8().constData());
        return kExitUsage;
    }
    if (options.command == "objects")
        return RunObjects(options);
    if (options.command == "describe")
        return RunDescribe(options);
    if (options.command == "read")
        return RunRead(options);
    if (options.command == "write")
        return RunWrite(options);
    if (options.command == "scope")
        return RunScope(options);
    if (options.command == "errors")
        return RunErrors(options);
    if (options.command == "scan")
        return RunScan(options);
    if (options.command == "diff")
        return RunDiff(options);
    if (options.command == "export")
        return RunExport(options);
    if (options.command == "import")
        return RunImport(options);
    if (options.command == "store")
        return RunStore(options);
    if (options.command == "init")
        return RunInit(options);
    if (options.command == "restart")
        return RunRestart(options);
    return RunWatch(options);
}
