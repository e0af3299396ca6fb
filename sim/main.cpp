// veltosim: a simulated servo drive on a pseudo-terminal and/or a CAN bus.
#include <sys/socket.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

#include "controlchannel.h"
#include "faultplan.h"
#include "ptyport.h"
#include "simulator.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}

// SIGINT and SIGTERM end the event loop, so the link and the socket are removed.
void QuitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

const char* const kFaultOptions[][2] = {
    {"lose-every", "N"},   {"lose-prob", "P"},    {"corrupt-every", "N"}, {"corrupt-prob", "P"},
    {"delay", "MS"},       {"silent-after", "N"}, {"silent-for", "MS"},   {"refuse", "KEY[=CODE]"},
    {"raise", "WORD:BIT"}, {"inputs", "LEVELS"},
};

void AddOptions(QCommandLineParser& p) {
    p.setApplicationDescription("Simulated VeltoServo drive (serial on a pseudo-terminal, CAN).");
    p.addHelpOption();
    p.addOption({"serial",
                 "Serve the serial framing on a pseudo-terminal linked at PATH "
                 "(default /tmp/veltosim/ttyVSIM<address>; give --serial= for it).",
                 "PATH"});
    p.addOption({"baud",
                 "Pace the serial line as a real one at RATE baud: a reply reaches the client "
                 "no sooner than 10 bits a byte of request and reply allow (default: at once).",
                 "RATE"});
    p.addOption({"can", "Serve CAN on PLUGIN:IFACE (default virtualcan:can0).", "PLUGIN:IFACE"});
    p.addOption({"address", "Drive address 1..127 (default 1).", "N", "1"});
    p.addOption({"base",
                 "Folder holding data/velto_sim.tsv (default: the current directory, or the "
                 "installed data when it holds none).",
                 "DIR"});
    p.addOption({"state", "Non-volatile memory file (stored parameters).", "FILE"});
    p.addOption({"control", "Control socket (default /tmp/veltosim/ctlVSIM<address>).", "PATH"});
    p.addOption({"no-stdin", "Do not read commands from standard input."});
    p.addOption({"tell", "Send COMMAND to a running simulator and print its answer.", "COMMAND"});
    for (const auto& o : kFaultOptions)
        p.addOption(
            {o[0], QString("Fault: same as the control command \"%1 %2\".").arg(o[0], o[1]), o[1]});
}

// An installed simulator (<prefix>/bin) started outside a base folder reads the table the
// package installed under <prefix>/share/veltoservo.
QString DefaultBase() {
    const QString table = QStringLiteral("/data/velto_sim.tsv");
    if (QFileInfo::exists(QStringLiteral(".") + table))
        return QStringLiteral(".");
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltoservo");
    return QFileInfo::exists(installed + table) ? QDir::cleanPath(installed) : QStringLiteral(".");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("veltosim");
    // "--serial" alone takes the default path: QCommandLineParser needs a value, so add one.
    QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i)
        if ((args[i] == "--serial" || args[i] == "--can") &&
            (i + 1 == args.size() || args[i + 1].startsWith("--")))
            args[i] += "=";
    QCommandLineParser p;
    AddOptions(p);
    p.process(args);

    vsim::SimOptions o;
    bool ok = false;
    o.address = p.value("address").toInt(&ok);
    if (!ok)
        o.address = -1;
    o.base = p.isSet("base") ? p.value("base") : DefaultBase();
    o.statePath = p.value("state");
    QString serial = p.isSet("serial") ? p.value("serial") : QString();
    if (p.isSet("serial") && serial.isEmpty())
        serial = vsim::CPtyPort::DefaultLinkPath(o.address);
    // The control socket sits next to the pseudo-terminal's link, or is named by the address.
    const bool defaultControl = !p.isSet("control");
    const QString control = !defaultControl    ? p.value("control")
                            : serial.isEmpty() ? vsim::CControlChannel::DefaultPath(o.address)
                                               : serial + ".ctl";
    if (p.isSet("tell")) {
        QString answer;
        const bool told = vsim::CControlChannel::Tell(control, p.value("tell"), answer);
        fprintf(told ? stdout : stderr, "%s\n", qPrintable(answer));
        return told && !answer.startsWith("error") ? 0 : 1;
    }
    o.serialLink = serial;
    if (p.isSet("baud")) {
        o.serialBaud = p.value("baud").toInt(&ok);
        if (!ok || o.serialBaud <= 0) {
            fprintf(stderr, "veltosim: --baud needs a rate in baud, not \"%s\"\n",
                    qPrintable(p.value("baud")));
            return 2;
        }
    }
    if (p.isSet("can")) {
        o.canSpec = p.value("can");
        if (o.canSpec.isEmpty())
            o.canSpec = "virtualcan:can0";
    }
    if (o.serialLink.isEmpty() && o.canSpec.isEmpty()) {
        fprintf(stderr, "veltosim: give --serial and/or --can (see --help)\n");
        return 2;
    }
    o.controlPath = control;
    o.controlOptional = defaultControl;
    o.stdinCommands = !p.isSet("no-stdin");
    for (const auto& f : kFaultOptions)
        for (const QString& v : p.values(f[0])) o.startCommands << QString("%1 %2").arg(f[0], v);

    vsim::CSimulator sim(o);
    QString error;
    if (!sim.Start(error)) {
        fprintf(stderr, "veltosim: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&sim, &vsim::CSimulator::QuitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QuitOnSignals(app);
    // Ready: the link path and the CAN interface, one a line, tell the caller where to connect.
    if (!sim.SerialLink().isEmpty())
        printf("%s\n", qPrintable(sim.SerialLink()));
    if (!o.canSpec.isEmpty())
        printf("%s\n", qPrintable(o.canSpec));
    fflush(stdout);
    fprintf(stderr, "veltosim: drive %d%s%s, control %s\n", o.address,
            o.serialLink.isEmpty() ? "" : qPrintable(" on " + sim.SerialLink()),
            o.canSpec.isEmpty() ? "" : qPrintable(" on CAN " + o.canSpec),
            sim.ControlPath().isEmpty() ? "none" : qPrintable(sim.ControlPath()));
    return app.exec();
}
