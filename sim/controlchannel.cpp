#include "controlchannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace vsim {

namespace {

bool FillAddress(const QString& path, sockaddr_un& addr, QString& error) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= int(sizeof addr.sun_path)) {
        error = QString("control socket path too long: %1").arg(path);
        return false;
    }
    memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    memcpy(addr.sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

}  // namespace

CControlChannel::~CControlChannel() {
    for (auto& [fd, client] : clients_) {
        client.notifier.reset();
        ::close(fd);
    }
    listenNotifier_.reset();
    if (listener_ >= 0) {
        ::close(listener_);
        QFile::remove(path_);
    }
}

QString CControlChannel::DefaultPath(int address) {
    return QString("/tmp/veltosim/ctlVSIM%1").arg(address);
}

bool CControlChannel::Listen(const QString& path, QString& error) {
    sockaddr_un addr;
    if (!FillAddress(path, addr, error))
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString probe;
    if (QFileInfo(path).exists() && Tell(path, "status", probe)) {
        error = QString("control socket %1 is in use by another simulator").arg(path);
        return false;
    }
    QFile::remove(path);  // left behind by a simulator that did not end cleanly
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, 4) != 0) {
        error = QString("cannot listen on %1: %2").arg(path, strerror(errno));
        if (listener_ >= 0)
            ::close(listener_);
        listener_ = -1;
        return false;
    }
    path_ = path;
    listenNotifier_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    connect(listenNotifier_.get(), &QSocketNotifier::activated, this, [this] { OnConnection(); });
    return true;
}

void CControlChannel::WatchStdin() {
    signal(SIGTTIN, SIG_IGN);  // started in the background: reads fail instead of stopping us
    stdinNotifier_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(stdinNotifier_.get(), &QSocketNotifier::activated, this, [this] { OnStdin(); });
}

void CControlChannel::OnConnection() {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return;
    Client& client = clients_[fd];
    client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(client.notifier.get(), &QSocketNotifier::activated, this,
            [this, fd] { OnClientData(fd); });
}

QByteArray CControlChannel::Answer(const QByteArray& line) {
    const QString command = QString::fromUtf8(line).trimmed();
    if (command.isEmpty())
        return {};
    return handler_(command).toUtf8() + '\n';
}

void CControlChannel::OnClientData(int fd) {
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
        if (n < 0 && errno == EAGAIN)
            return;
        clients_.erase(fd);  // the notifier goes before the descriptor
        ::close(fd);
        return;
    }
    QByteArray& pending = clients_[fd].pending;
    pending.append(buffer, int(n));
    int end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QByteArray answer = Answer(pending.left(end));
        pending.remove(0, end + 1);
        if (!answer.isEmpty()) [[maybe_unused]]
            ssize_t w = ::write(fd, answer.data(), answer.size());
    }
    if (pending.size() > 4096)
        pending.clear();  // no line that long is a command
}

void CControlChannel::OnStdin() {
    char buffer[512];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        stdinNotifier_.reset();  // end of input, or not ours to read
        return;
    }
    stdinPending_.append(buffer, int(n));
    int end;
    while ((end = stdinPending_.indexOf('\n')) >= 0) {
        const QByteArray answer = Answer(stdinPending_.left(end));
        stdinPending_.remove(0, end + 1);
        fputs(answer.constData(), stdout);
        fflush(stdout);
    }
}

bool CControlChannel::Tell(const QString& path, const QString& command, QString& answer) {
    sockaddr_un addr;
    if (!FillAddress(path, addr, answer))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        answer = QString("cannot reach %1: %2").arg(path, strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const QByteArray line = command.toUtf8() + '\n';
    [[maybe_unused]] ssize_t w = ::write(fd, line.constData(), size_t(line.size()));
    QByteArray reply;
    pollfd p{fd, POLLIN, 0};
    char buffer[512];
    while (!reply.contains('\n') && ::poll(&p, 1, 3000) > 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        reply.append(buffer, int(n));
    }
    ::close(fd);
    answer = QString::fromUtf8(reply).trimmed();
    if (!reply.contains('\n'))
        answer = QString("no answer from %1").arg(path);
    return reply.contains('\n');
}

}  // namespace vsim
