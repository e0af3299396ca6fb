#include "support/sim_process.h"

#include <unistd.h>
#include <QDeadlineTimer>

#include "support/temp_base.h"

bool SimProcess::Start(const QStringList& arguments, int timeoutMs) {
    firstLine_.clear();
    if (!process_.Start(RuntimeDir() + "/veltosim", arguments, QString(), true))
        return false;
    QString line;
    for (QDeadlineTimer deadline(timeoutMs);
         process_.ReadLine(line, int(deadline.remainingTime()));) {
        if (firstLine_.isEmpty())
            firstLine_ = line;
        if (line.startsWith("veltosim: drive"))
            return true;  // serving
    }
    return false;
}

int PrivateCanPort() {
    return 36000 + static_cast<int>(getpid() % 20000);
}
