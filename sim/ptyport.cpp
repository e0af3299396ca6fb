#include "ptyport.h"

#include <fcntl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace vsim {

namespace {
constexpr int kFrameBytes = 10;

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

CPtyPort::CPtyPort(uint8_t address, RequestHandler onRequest)
    : address_(address), onRequest_(std::move(onRequest)), framer_(address) {}

CPtyPort::~CPtyPort() {
    Close();
}

QString CPtyPort::DefaultLinkPath(int address) {
    return QString("/tmp/veltosim/ttyVSIM%1").arg(address);
}

bool CPtyPort::Open(const QString& linkPath, QString& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = QString("cannot create a pseudo-terminal: %1").arg(strerror(errno));
        Close();
        return false;
    }
    devicePath_ = QString::fromLocal8Bit(ptsname(master_));
    slave_ = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) {
        error = QString("cannot open %1: %2").arg(devicePath_, strerror(errno));
        Close();
        return false;
    }
    cfmakeraw(&tio);  // at once: a cooked line would echo our replies back to us
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    const QFileInfo link(linkPath);
    QDir().mkpath(link.absolutePath());
    if (link.exists() || link.isSymLink()) {
        if (!link.isSymLink()) {
            error = QString("%1 exists and is not a link").arg(linkPath);
            Close();
            return false;
        }
        QFile::remove(linkPath);  // left behind by a simulator that did not end cleanly
    }
    if (symlink(devicePath_.toLocal8Bit().constData(), linkPath.toLocal8Bit().constData()) != 0) {
        error = QString("cannot create the link %1: %2").arg(linkPath, strerror(errno));
        Close();
        return false;
    }
    linkPath_ = linkPath;
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnReadable(); });
    if (pacer_.Paced()) {
        // steady_clock is CLOCK_MONOTONIC: the due times and the timer share it.
        timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (timerFd_ < 0) {
            error = QString("cannot create a timer: %1").arg(strerror(errno));
            Close();
            return false;
        }
        timerNotifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
        connect(timerNotifier_.get(), &QSocketNotifier::activated, this, [this] { WriteDue(); });
    }
    return true;
}

void CPtyPort::Close() {
    notifier_.reset();
    timerNotifier_.reset();
    if (timerFd_ >= 0)
        ::close(timerFd_);
    timerFd_ = -1;
    held_.clear();
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).symLinkTarget() == devicePath_)
        QFile::remove(linkPath_);
    linkPath_.clear();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

// One read per notification: the notifier fires again while bytes are left, so the line is
// not read once more only to find it empty.
void CPtyPort::OnReadable() {
    uint8_t buffer[256];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0)
        return;
    const int64_t now = NowNs();
    if (framer_.Pending() == 0)
        firstByteNs_ = now;
    for (const SdoFrame& request : framer_.Feed(buffer, size_t(n), now / 1000000)) {
        // A reply the client never read (it gave up, or it is a new client) would be
        // taken for the answer to this request: drop it, sent or still held back.
        tcflush(slave_, TCIFLUSH);
        held_.clear();
        if (pacer_.Paced())
            requestDoneNs_ = pacer_.RequestDone(firstByteNs_, kFrameBytes);
        firstByteNs_ = now;  // a further frame in this read began to come now
        onRequest_(request);
    }
}

void CPtyPort::Send(const SdoFrame& reply, bool corruptChecksum) {
    if (master_ < 0)
        return;
    SerialFrame frame = CSerialFramer::Encode(address_, reply);
    if (corruptChecksum)
        frame[9] = uint8_t(frame[9] + 1);
    if (!pacer_.Paced()) {
        Write(frame);
        return;
    }
    Hold(pacer_.ReplyDue(NowNs(), requestDoneNs_, kFrameBytes), frame);
}

void CPtyPort::Write(const SerialFrame& frame) {
    // A client that stopped reading fills the line; the reply is then lost, as on a wire.
    [[maybe_unused]] ssize_t n = ::write(master_, frame.data(), frame.size());
}

// The pacer hands out due times in order, so the queue stays sorted.
void CPtyPort::Hold(int64_t dueNs, const SerialFrame& frame) {
    held_.push_back({dueNs, frame});
    if (held_.size() == 1)
        ArmTimer();
}

void CPtyPort::WriteDue() {
    uint64_t expirations;
    [[maybe_unused]] ssize_t n = ::read(timerFd_, &expirations, sizeof expirations);
    const int64_t now = NowNs();
    while (!held_.empty() && held_.front().dueNs <= now) {
        Write(held_.front().frame);
        held_.pop_front();
    }
    if (!held_.empty())
        ArmTimer();
}

void CPtyPort::ArmTimer() {
    const int64_t due = held_.front().dueNs;
    itimerspec at{};
    at.it_value.tv_sec = time_t(due / 1000000000);
    at.it_value.tv_nsec = long(due % 1000000000);
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr);
}

}  // namespace vsim
