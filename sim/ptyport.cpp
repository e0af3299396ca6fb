#include "ptyport.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace vsim {

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
    return true;
}

void CPtyPort::Close() {
    notifier_.reset();
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).symLinkTarget() == devicePath_)
        QFile::remove(linkPath_);
    linkPath_.clear();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

void CPtyPort::OnReadable() {
    uint8_t buffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const int64_t now = QDateTime::currentMSecsSinceEpoch();
        for (const SdoFrame& request : framer_.Feed(buffer, size_t(n), now)) {
            // A reply the client never read (it gave up, or it is a new client) would be
            // taken for the answer to this request: drop it.
            tcflush(slave_, TCIFLUSH);
            onRequest_(request);
        }
    }
}

void CPtyPort::Send(const SdoFrame& reply, bool corruptChecksum) {
    if (master_ < 0)
        return;
    SerialFrame frame = CSerialFramer::Encode(address_, reply);
    if (corruptChecksum)
        frame[9] = uint8_t(frame[9] + 1);
    // A client that stopped reading fills the line; the reply is then lost, as on a wire.
    [[maybe_unused]] ssize_t n = ::write(master_, frame.data(), frame.size());
}

}  // namespace vsim
