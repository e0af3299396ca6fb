#include "bench_drives.h"

#include <QElapsedTimer>
#include <cstdio>

#include "app/global.h"
#include "comm/comm.h"
#include "comm/protocol.h"
#include "sim_link.h"

namespace {
constexpr int kBaud = 115200;
constexpr double kSerialWireUs = 20 * 10 * 1e6 / kBaud;  // 10 bytes each way, 10 bits a byte
constexpr int kOneMbit = 0x0014;                         // PCAN bit-rate code

QByteArray PageList(const std::vector<std::int32_t>& keys) {
    QByteArray text = "[BasicOperate]\nnum=" + QByteArray::number(int(keys.size())) + "\n";
    for (size_t i = 0; i < keys.size(); ++i)
        text += QByteArray::number(int(i + 1)) + "=" + QByteArray::number(keys[i], 16) + "\n";
    return text;
}
}  // namespace

CommSettings SettingsFor(const Transport& t) {
    CommSettings s;
    const QByteArray port = t.port.toUtf8();
    std::snprintf(t.kind == CComm::Can ? s.adapter : s.portName, sizeof s.portName, "%s",
                  port.constData());
    s.rate = t.kind == CComm::Can ? kOneMbit : kBaud;
    s.driveAddress = 1;
    return s;
}

bool BenchDrives::Start(int rows) {
    for (const char* file :
         {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so", "data/CAN.so", "data/EN.qm"})
        if (!base_.CopyFromRuntime(file)) {
            std::fprintf(stderr, "missing in the runtime folder: %s\n", file);
            return false;
        }
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=2\n");
    if (!StartSims())
        return false;
    CGlobal g(base_.Path());
    g.dictionary.WaitLoaded(20000);
    keys_ = ReadableKeys(g, rows);
    base_.Write("sys/BasicOperate.ini", PageList(keys_));
    return int(keys_.size()) == rows;
}

// The first simulator hosts the private CAN bus, so it is started first and ends last.
bool BenchDrives::StartSims() {
    const QString can = QStringLiteral("virtualcan:tcp://127.0.0.1:%1/can0").arg(PrivateCanPort());
    const QStringList common = {"--base", base_.Path(), "--no-stdin"};
    if (!sim_.Start(common + QStringList{"--serial", base_.File("ttyA"), "--can", can, "--control",
                                         base_.File("ctlA")})) {
        std::fprintf(stderr, "veltosim did not start\n");
        return false;
    }
    transports_ = {{"pty", CComm::Serial, base_.File("ttyA"), 0}, {"CAN", CComm::Can, can, 0}};
    if (pacedSim_.Start(common + QStringList{"--serial", base_.File("ttyB"), "--baud",
                                             QString::number(kBaud), "--control",
                                             base_.File("ctlB")}))
        transports_.push_back({"pty 115200 Bd", CComm::Serial, base_.File("ttyB"), kSerialWireUs});
    else
        std::fprintf(stderr, "veltosim paces no line (--baud): the paced line is left out\n");
    return true;
}

BenchDrives::~BenchDrives() {
    pacedSim_.Stop();
    sim_.Stop();
}

bool OpenLink(CGlobal& g, const Transport& t) {
    g.link.SetLinkKind(t.kind);
    g.link.SetDriveAddress(1);
    if (g.link.Open(SettingsFor(t)) != 0)
        return false;
    g.online = 1;
    return true;
}

void CloseLink(CGlobal& g) {
    g.online = 2;
    g.link.Close();
}

double BareExchangeUs(const QString& dataFolder, const Transport& t,
                      const std::vector<std::int32_t>& keys) {
    CProtocol protocol(dataFolder);
    protocol.SetLinkKind(t.kind);
    protocol.SetDriveAddress(1);
    if (protocol.Open(SettingsFor(t)) != 0)
        return -1;
    auto read = [&](std::int32_t key) {
        std::uint8_t status = 0;
        std::int32_t value = 0;
        return protocol.Transact(key, sdo::Read, 0) == 0 && protocol.GetResult(status, value) == 1;
    };
    // The first exchange after opening is left out, as the page read's figure starts at its
    // first value.
    if (keys.empty() || !read(keys.front()))
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (std::int32_t key : keys)
        if (!read(key))
            return -1;
    const double us = double(timer.nsecsElapsed()) / 1e3 / double(keys.size());
    protocol.Close();
    return us;
}
