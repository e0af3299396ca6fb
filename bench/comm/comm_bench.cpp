// Exchanges per second through CCtrlLink, each reply triggering the next request as pages
// read their rows: once with an in-memory component (the software cost of one exchange:
// protocol, worker hand-over and the message to the UI thread) and once over a
// pseudo-terminal with the real serial component against a responder thread. Each figure is
// printed as a ratio to the wire time of one exchange.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/global.h"
#include "comm/protocol.h"
#include "support/roundtrip.h"

namespace {

constexpr double kSerialWireMs = 1.736;  // 2 x 10 bytes x 10 bits at 115200 baud
constexpr double kCanWireMs = 0.25;      // 2 x 125-bit frames at 1 Mbit/s

void Answer(const std::uint8_t* request, std::uint8_t* reply) {
    std::copy_n(request, 10, reply);
    reply[1] = 0x43;
    reply[5] = 0x37;
    reply[9] = CProtocol::Checksum(reply);
}

// Serves frames on the master side of a pseudo-terminal.
class PtyDrive {
public:
    PtyDrive() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        path_ = ptsname(master_);
        slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(slave_, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
        thread_ = std::thread([this] { Serve(); });
    }
    ~PtyDrive() {
        stop_ = true;
        thread_.join();
        ::close(master_);
        ::close(slave_);
    }
    const std::string& Path() const { return path_; }

private:
    void Serve() {
        std::uint8_t frame[10], reply[10];
        int have = 0;
        while (!stop_) {
            pollfd fd{master_, POLLIN, 0};
            if (::poll(&fd, 1, 20) <= 0)
                continue;
            ssize_t n = ::read(master_, frame + have, 10 - have);
            if (n <= 0)
                continue;
            if ((have += static_cast<int>(n)) < 10)
                continue;
            have = 0;
            Answer(frame, reply);
            [[maybe_unused]] ssize_t w = ::write(master_, reply, 10);
        }
    }
    int master_ = -1, slave_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double MeasurePty(const QString& base, int count) {
    PtyDrive drive;
    CGlobal global(base);
    global.pollingEnabled = 0;
    if (global.link.SetLinkKind(CComm::Serial) != 1)
        return -1;
    CommSettings settings;
    std::snprintf(settings.portName, sizeof settings.portName, "%s", drive.Path().c_str());
    settings.rate = 115200;
    if (global.link.Open(settings) != 0)
        return -1;
    global.online = 1;
    ChainedExchangesUs(global, count / 10);
    const double us = ChainedExchangesUs(global, count);
    global.online = 2;
    return us / 1000;
}

// The protocol alone on the calling thread: framing, checksum and decoding.
double MeasureProtocol(const QString& base, int count) {
    CProtocol protocol(base + "/data/");
    protocol.SetLinkKind(CComm::Offline);
    protocol.Comm().Attach(new MemoryComponent);
    protocol.SetLinkKind(CComm::Serial);
    std::uint8_t status = 0;
    std::int32_t value = 0, sum = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        protocol.Transact(0x604100, sdo::Read, 0);
        protocol.GetResult(status, value);
        sum += value;
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    if (sum == 42)
        std::printf(" ");
    return std::chrono::duration<double, std::milli>(elapsed).count() / count;
}

void Report(const char* what, double ms) {
    std::printf(
        "%-34s %9.1f us/exchange %9.0f exchanges/s   %7.4f x serial wire   %7.4f x CAN wire\n",
        what, ms * 1000, 1000 / ms, ms / kSerialWireMs, ms / kCanWireMs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir base;
    QDir(base.path()).mkpath("data");
    QDir(base.path()).mkpath("sys");
    QFile::copy(VELTO_RUNTIME_DIR "/data/COM.so", base.path() + "/data/COM.so");
    int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    std::printf(
        "wire time of one exchange: %.3f ms serial at 115200 baud, %.3f ms CAN at 1 Mbit/s\n",
        kSerialWireMs, kCanWireMs);
    Report("protocol alone, in memory", MeasureProtocol(base.path(), count * 10));
    Report("thread hand-over and back (floor)", HandoverFloorUs(count) / 1000);
    Report("CCtrlLink in memory (software)", LinkInMemoryUs(base.path(), count) / 1000);
    double pty = MeasurePty(base.path(), count / 4);
    if (pty < 0) {
        std::printf("pseudo-terminal: could not open\n");
        return 1;
    }
    Report("pseudo-terminal, real component", pty);
    return 0;
}
