#include "maint_sim.h"

#include <QFile>

#include "comm/comm.h"
#include "support/child_process.h"

using namespace platform;

LResult MaintMainWindow::OnMessage(unsigned msg, WParam w, LParam) {
    if (msg == WM_LINK_STATE && w == 0) {
        ++linkDown;
        g->online = 2;
    } else if (msg == WM_BATCH_DONE) {
        ++batchDone;
    }
    return 0;
}

bool MaintSim::Start(const QStringList& simOptions) {
    for (const char* file : {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so"})
        if (!base_.CopyFromRuntime(file))
            return false;
    QFile table(base_.File("data/velto_sim.tsv"));
    if (!table.open(QIODevice::Append))
        return false;
    table.write("2FFE01\tUNSIGNED32\tW\t305419896\t0\t4294967295\n");
    table.close();
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=2\n");
    QStringList args = {
        "--base",    base_.Path(),       "--serial", base_.File("ttyVSIM1"), "--no-stdin",
        "--control", base_.File("ctl1"), "--state",  base_.File("state.ini")};
    if (!sim_.Start(args + simOptions))
        return false;
    global_ = std::make_unique<CGlobal>(base_.Path());
    global_->dictionary.WaitLoaded(20000);
    global_->language = 2;
    global_->screenDpi = 96;
    mainWindow.g = global_.get();
    global_->mainWindow = mainWindow.Handle();
    return true;
}

bool MaintSim::Connect() {
    CCtrlLink& link = global_->link;
    link.SetLinkKind(CComm::Serial);
    link.SetDriveAddress(1);
    CommSettings settings;
    QByteArray port = base_.File("ttyVSIM1").toUtf8();
    std::snprintf(settings.portName, sizeof settings.portName, "%s", port.constData());
    settings.rate = 115200;
    settings.driveAddress = 1;
    if (link.Open(settings) != 0)
        return false;
    global_->online = 1;
    return true;
}

MaintSim::~MaintSim() {
    if (global_) {
        global_->online = 2;
        global_->stopWorker = 1;
        global_->link.Close();
    }
    sim_.Stop();
}

QString MaintSim::Tell(const QString& command) {
    return RunToEnd(RuntimeDir() + "/veltosim",
                    {"--control", base_.File("ctl1"), "--tell", command}, QString(), 10000)
        .out.trimmed();
}

void MaintSim::Set(std::int32_t key, qint64 value) {
    Tell(QString::asprintf("set %06X %lld", key, value));
}

qint64 MaintSim::Get(std::int32_t key) {
    return Tell(QString::asprintf("get %06X", key)).toLongLong();
}
