#include "responders.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCanBus>
#include <QCanBusDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QtTest/QTest>
#include <chrono>

namespace {

SeenRequest FromSdo(const std::uint8_t* sdo) {
    SeenRequest r;
    r.command = sdo[0];
    r.key = sdo[1] << 8 | sdo[2] << 16 | sdo[3];
    r.data = static_cast<std::int32_t>(sdo[4] | sdo[5] << 8 | sdo[6] << 16 |
                                       static_cast<std::uint32_t>(sdo[7]) << 24);
    return r;
}

}  // namespace

PtyResponder::PtyResponder(int address) : address_(address) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        return;
    slavePath_ = QString::fromLocal8Bit(ptsname(master_));
    // Keep a slave open and raw from the start, or the line echoes and hangs up.
    slave_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    thread_ = std::thread([this] { Serve(); });
}

PtyResponder::~PtyResponder() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    Unplug();
}

void PtyResponder::Unplug() {
    stop_ = true;
    if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id())
        thread_.join();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}

void PtyResponder::SendStray(std::uint8_t byte) {
    [[maybe_unused]] ssize_t n = ::write(master_, &byte, 1);
}

void PtyResponder::Serve() {
    std::uint8_t frame[10];
    int have = 0;
    while (!stop_) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0)
            continue;
        ssize_t n = ::read(master_, frame + have, sizeof frame - have);
        if (n <= 0)
            continue;
        have += static_cast<int>(n);
        if (have < 10)
            continue;
        have = 0;
        ++frames;
        if (silent)
            continue;
        if (delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs.load()));
        FakeReply reply = drive.Answer(FromSdo(frame + 1), false, address_);
        size_t head = 0;
        if (splitPauseMs > 0 && reply.bytes.size() > 4) {
            head = 4;
            [[maybe_unused]] ssize_t w = ::write(master_, reply.bytes.data(), head);
            std::this_thread::sleep_for(std::chrono::milliseconds(splitPauseMs.load()));
        }
        [[maybe_unused]] ssize_t w =
            ::write(master_, reply.bytes.data() + head, reply.bytes.size() - head);
    }
}

CanResponder::CanResponder(const QString& interface) : interface_(interface) {
    thread_ = std::thread([this] { Run(); });
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(5), [this] { return state_ != 0; });
    ok_ = state_ == 1;
}

// The responder's thread for the rest of the program: its device holds the hub.
void CanResponder::Run() {
    QEventLoop loop;
    device_ = QCanBus::instance()->createDevice("virtualcan", interface_);
    if (!device_) {
        std::lock_guard lock(mutex_);
        state_ = -1;
        changed_.notify_all();
        return;
    }
    QObject::connect(device_, &QCanBusDevice::framesReceived, device_, [this] { OnFrames(); });
    QObject::connect(device_, &QCanBusDevice::stateChanged, device_,
                     [this](QCanBusDevice::CanBusDeviceState state) {
                         if (state != QCanBusDevice::ConnectedState)
                             return;
                         std::lock_guard lock(mutex_);
                         state_ = 1;
                         changed_.notify_all();
                     });
    device_->connectDevice();
    QTimer stopCheck;  // the program's end stops the loop before the plugin's statics go
    QObject::connect(&stopCheck, &QTimer::timeout, &stopCheck, [&] {
        if (stop_)
            loop.quit();
    });
    stopCheck.start(20);
    loop.exec();
    device_->disconnectDevice();
    delete device_;
    device_ = nullptr;
}

void CanResponder::Stop() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

CanResponder& CanResponder::Shared() {
    // A port of its own per test program, so parallel programs do not share a hub.
    static CanResponder* shared =
        new CanResponder(QString("tcp://127.0.0.1:%1/can0").arg(36000 + getpid() % 20000));
    return *shared;
}

void CanResponder::Reset(int address) {
    address_ = address;
    silent = false;
    frames = 0;
    std::lock_guard lock(drive.mutex);
    drive.values.clear();
    drive.refused.clear();
}

void CanResponder::OnFrames() {
    while (device_->framesAvailable() > 0) {
        QCanBusFrame frame = device_->readFrame();
        if (frame.frameId() != 0x600u + static_cast<unsigned>(address_.load()))
            continue;
        QByteArray payload = frame.payload();
        if (payload.size() != 8)
            continue;
        ++frames;
        if (silent)
            continue;
        SeenRequest request = FromSdo(reinterpret_cast<const std::uint8_t*>(payload.constData()));
        CanMessage m = *drive.Answer(request, true, address_.load()).message;
        // Another node's frame first: only the drive's own reply may be taken.
        CanMessage stray = m;
        stray.id = 0x580 + static_cast<std::uint32_t>(address_.load()) + 1;
        stray.data[4] ^= 0xFF;
        for (const CanMessage& out : {stray, m})
            device_->writeFrame(
                QCanBusFrame(out.id, QByteArray(reinterpret_cast<const char*>(out.data), 8)));
    }
}
