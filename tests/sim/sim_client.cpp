#include "sim_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QCanBus>
#include <QCanBusFrame>
#include <QDeadlineTimer>
#include <QTest>

#include "controlchannel.h"
#include "support/temp_base.h"

Sdo MakeSdo(uint8_t cmd, uint32_t key, uint32_t data) {
    return {cmd,           uint8_t(key >> 8),  uint8_t(key >> 16),  uint8_t(key),
            uint8_t(data), uint8_t(data >> 8), uint8_t(data >> 16), uint8_t(data >> 24)};
}

uint32_t SdoData(const Sdo& s) {
    return uint32_t(s[4]) | uint32_t(s[5]) << 8 | uint32_t(s[6]) << 16 | uint32_t(s[7]) << 24;
}

bool VeltosimRun::Start(const QStringList& args, const QString& controlPath) {
    return Start(RuntimeDir() + "/veltosim", QString(), args, controlPath);
}

bool VeltosimRun::Start(const QString& program, const QString& workingDir, const QStringList& args,
                        const QString& controlPath) {
    control_ = controlPath;
    if (!process_.Start(program, args + QStringList{"--control", controlPath, "--no-stdin"},
                        workingDir))
        return false;
    QString answer;
    for (QDeadlineTimer t(10000); !t.hasExpired(); QTest::qWait(20)) {
        if (!process_.Running())
            return false;
        if (vsim::CControlChannel::Tell(control_, "status", answer))
            return true;
    }
    return false;
}

QString VeltosimRun::Tell(const QString& command) const {
    QString answer;
    vsim::CControlChannel::Tell(control_, command, answer);
    return answer;
}

QString VeltosimRun::FirstStdoutLine() {
    QString line;
    process_.ReadLine(line, 5000);
    return line;
}

int VeltosimRun::Stop() {
    return process_.Stop(5000);
}

SerialClient::~SerialClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool SerialClient::Open(const QString& path) {
    fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd_ < 0)
        return false;
    termios tio{};
    tcgetattr(fd_, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B115200);
    return tcsetattr(fd_, TCSANOW, &tio) == 0;
}

std::optional<Sdo> SerialClient::Exchange(uint8_t address, const Sdo& request, int waitMs) {
    uint8_t frame[10] = {address};
    std::copy(request.begin(), request.end(), frame + 1);
    uint8_t sum = 0;
    for (int i = 0; i < 9; ++i) sum = uint8_t(sum + frame[i]);
    frame[9] = uint8_t(-sum);
    if (::write(fd_, frame, 10) != 10)
        return std::nullopt;
    uint8_t reply[10];
    size_t got = 0;
    pollfd p{fd_, POLLIN, 0};
    for (QDeadlineTimer t(waitMs); got < 10 && !t.hasExpired();) {
        if (::poll(&p, 1, int(t.remainingTime())) <= 0)
            break;
        const ssize_t n = ::read(fd_, reply + got, 10 - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    if (got < 10)
        return std::nullopt;
    sum = 0;
    for (uint8_t b : reply) sum = uint8_t(sum + b);
    lastChecksumBad = sum != 0;
    if (lastChecksumBad || reply[0] != address)
        return std::nullopt;
    Sdo out;
    std::copy_n(reply + 1, 8, out.begin());
    return out;
}

bool CanClient::Open(const QString& iface) {
    device_.reset(QCanBus::instance()->createDevice("virtualcan", iface));
    if (!device_ || !device_->connectDevice())
        return false;
    return QTest::qWaitFor([&] { return device_->state() == QCanBusDevice::ConnectedState; }, 5000);
}

std::optional<Sdo> CanClient::Exchange(uint8_t address, const Sdo& request, int waitMs) {
    device_->readAllFrames();
    const QByteArray payload(reinterpret_cast<const char*>(request.data()), 8);
    device_->writeFrame(QCanBusFrame(0x600u + address, payload));
    std::optional<Sdo> reply;
    (void)QTest::qWaitFor(
        [&] {
            while (device_->framesAvailable()) {
                const QCanBusFrame f = device_->readFrame();
                if (f.frameId() != 0x580u + address || f.payload().size() != 8)
                    continue;
                Sdo s;
                for (int i = 0; i < 8; ++i) s[size_t(i)] = uint8_t(f.payload().at(i));
                reply = s;
            }
            return reply.has_value();
        },
        waitMs);
    return reply;
}
