#pragma once
// Runs the simulated drive (veltosim from the runtime folder) for one test.
#include <QString>
#include <QStringList>

#include "support/child_process.h"

class SimProcess {
public:
    // Starts `veltosim` with the given arguments and waits until it reports that it serves.
    // False when it did not start.
    bool Start(const QStringList& arguments, int timeoutMs = 10000);

    QString FirstLine() const { return firstLine_; }
    pid_t ProcessId() const { return process_.ProcessId(); }
    void Stop() { process_.Stop(); }

private:
    ChildProcess process_;  // ends the simulator with the test
    QString firstLine_;
};

// A TCP port for a private virtual CAN bus, distinct per test process.
int PrivateCanPort();
