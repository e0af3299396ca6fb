#include "support/sim_process.h"

#include <sys/prctl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>

#include "support/temp_base.h"

void EndWithParent(QProcess& process) {
    const pid_t parent = getpid();
    // Runs in the child between fork and exec: async-signal-safe calls only.
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)  // the parent died before the signal was armed
            ::_exit(127);
    });
}

bool SimProcess::Start(const QStringList& arguments, int timeoutMs) {
    process_.setProgram(RuntimeDir() + "/veltosim");
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    EndWithParent(process_);
    process_.start();
    if (!process_.waitForStarted(timeoutMs))
        return false;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        while (process_.canReadLine()) {
            QString line = QString::fromUtf8(process_.readLine()).trimmed();
            if (firstLine_.isEmpty())
                firstLine_ = line;
            if (line.startsWith("veltosim: drive"))
                return true;  // serving
        }
        if (process_.state() != QProcess::Running)
            return false;
        process_.waitForReadyRead(50);
    }
    return false;
}

void SimProcess::Stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

SimProcess::~SimProcess() {
    Stop();
}

int PrivateCanPort() {
    return 36000 + static_cast<int>(getpid() % 20000);
}
