// Time to read a 40-row parameter page fully from the simulated drive over a pseudo-terminal,
// next to the pacing the control link's fixed sleeps allow. The next sequential read is in the
// request slot before the worker starts its next cycle, so no sleep applies between rows: the
// model is 40 bare exchanges on the same line, measured side by side with CProtocol alone.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "comm/comm.h"
#include "comm/protocol.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"
#include "sim_link.h"

namespace {
constexpr int kRows = 40;
constexpr int kRounds = 7;

QByteArray ListFile(const std::vector<std::int32_t>& keys) {
    QByteArray text = "[BasicOperate]\nnum=" + QByteArray::number(int(keys.size())) + "\n";
    for (size_t i = 0; i < keys.size(); ++i)
        text += QByteArray::number(int(i + 1)) + "=" + QByteArray::number(keys[i], 16) + "\n";
    return text;
}

// 40 bare exchanges through the protocol on its own (the worker is idle meanwhile).
double BareMs(SimLink& sim, const std::vector<std::int32_t>& keys) {
    CProtocol protocol(sim.base().Path() + "/data/");
    protocol.SetLinkKind(CComm::Serial);
    protocol.SetDriveAddress(1);
    CommSettings settings;
    QByteArray port = sim.PortPath().toUtf8();
    std::snprintf(settings.portName, sizeof settings.portName, "%s", port.constData());
    settings.rate = 115200;
    if (protocol.Open(settings) != 0)
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (std::int32_t key : keys) {
        std::uint8_t status = 0;
        std::int32_t value = 0;
        if (protocol.Transact(key, 0x40, 0) != 0)
            return -1;
        protocol.GetResult(status, value);
    }
    double ms = timer.nsecsElapsed() / 1e6;
    protocol.Close();
    return ms;
}

double PageMs(CParamPage& page) {
    QElapsedTimer timer;
    timer.start();
    page.OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
    // A running event loop serves the worker's messages at once (qWaitFor would sleep 10 ms
    // between rounds of events).
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (page.readCursor == 0 || timer.elapsed() > 20000)
            loop.quit();
    });
    check.start(1);
    loop.exec();
    return page.readCursor == 0 ? timer.nsecsElapsed() / 1e6 : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Optional: "--delay MS" makes the simulated drive answer after MS, a stand-in for the time
    // a real serial line takes per exchange (the pseudo-terminal itself is not paced).
    QStringList simOptions;
    if (argc > 2 && QByteArray(argv[1]) == "--delay")
        simOptions << "--delay" << argv[2];
    SimLink sim;
    if (!sim.Start(simOptions)) {
        std::fprintf(stderr, "veltosim did not start\n");
        return 1;
    }
    std::vector<std::int32_t> keys = sim.ReadableKeys(kRows);
    if (int(keys.size()) < kRows)
        return 1;
    sim.base().Write("sys/BasicOperate.ini", ListFile(keys));
    CParamPage page(sim.g(), *FindParamPage(1227));
    page.OnInitialUpdate();  // offline: no reads yet
    std::vector<double> bare, paged, ratios;
    for (int round = 0; round < kRounds; ++round) {
        double b = BareMs(sim, keys);  // the page's link is closed meanwhile
        if (b < 0 || !sim.Connect())
            return 1;
        double p = PageMs(page);
        sim.g().online = 2;
        sim.g().link.Close();
        if (p < 0)
            return 1;
        bare.push_back(b);
        paged.push_back(p);
        ratios.push_back(p / b);
        std::printf("round %d: page %.2f ms, model (40 bare exchanges) %.2f ms, ratio %.3f\n",
                    round, p, b, p / b);
    }
    std::printf(
        "median: page %.2f ms, model %.2f ms, ratio %.3f (goal <= 1.05); "
        "overhead per row %.1f us\n",
        Median(paged), Median(bare), Median(ratios),
        (Median(paged) - Median(bare)) * 1000.0 / kRows);
    return 0;
}
