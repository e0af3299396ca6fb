// Starts a simulated drive the way the tests do, prints the drive's process id and waits to be
// killed; the end-to-end tests kill it to show the drive does not outlive it.
#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>

#include "support/sim_process.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimProcess sim;
    if (!sim.Start(app.arguments().mid(1)))
        return 1;
    std::printf("%lld\n", static_cast<long long>(sim.ProcessId()));
    std::fflush(stdout);
    for (;;) ::pause();
}
