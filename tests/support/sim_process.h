#pragma once
// Runs the simulated drive (veltosim from the runtime folder) for one test.
#include <QProcess>
#include <QString>
#include <QStringList>

// The child that `process` starts gets SIGTERM when this process ends, however it ends (a
// failed assertion, a crash, a kill), so no simulator outlives its test.
void EndWithParent(QProcess& process);

class SimProcess {
public:
    // Starts `veltosim` with the given arguments and waits until it reports that it serves.
    // False when it did not start.
    bool Start(const QStringList& arguments, int timeoutMs = 10000);
    ~SimProcess();

    QString FirstLine() const { return firstLine_; }
    qint64 ProcessId() const { return process_.processId(); }
    void Stop();

private:
    QProcess process_;
    QString firstLine_;
};

// A TCP port for a private virtual CAN bus, distinct per test process.
int PrivateCanPort();
