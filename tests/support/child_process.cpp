#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Runs in the child between fork and exec: async-signal-safe calls only.
[[noreturn]] void ExecChild(pid_t parent, const char* directory, char* const* argv, int out,
                            int err) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent)  // the parent ended before the signal was armed
        ::_exit(127);
    if (::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0)
        ::_exit(127);
    if (directory && ::chdir(directory) != 0)
        ::_exit(127);
    ::execv(argv[0], argv);
    static const char kFailed[] = "exec failed\n";
    [[maybe_unused]] ssize_t n = ::write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    ::_exit(127);
}

bool MakePipe(int fds[2]) {
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    return true;
}

}  // namespace

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Start(const QString& program, const QStringList& arguments,
                         const QString& workingDirectory, bool mergeErrors) {
    Stop();
    output_.clear();
    errors_.clear();
    exitCode_ = -1;
    // Everything the child needs is prepared before the fork.
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& a : arguments) words.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(workingDirectory);
    int out[2], err[2];
    if (!MakePipe(out))
        return false;
    if (!MakePipe(err)) {
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0)
        ExecChild(parent, directory.isEmpty() ? nullptr : directory.constData(), argv.data(),
                  out[1], mergeErrors ? out[1] : err[1]);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
    if (pid_ < 0) {
        errors_ = "fork failed: " + QByteArray(::strerror(errno));
        ClosePipes();
        return false;
    }
    return true;
}

bool ChildProcess::Running() {
    Reap(false);
    return pid_ > 0;
}

void ChildProcess::Collect(int waitMs) {
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    if (out_ < 0 && err_ < 0)
        return;
    if (::poll(fds, 2, waitMs) <= 0)
        return;
    char buffer[4096];
    for (auto [fd, into] : {std::pair{&out_, &output_}, std::pair{&err_, &errors_}}) {
        if (*fd < 0)
            continue;
        for (;;) {
            const ssize_t n = ::read(*fd, buffer, sizeof buffer);
            if (n > 0) {
                into->append(buffer, n);
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                ::close(*fd);  // the child closed its end
                *fd = -1;
            }
            break;
        }
    }
}

bool ChildProcess::ReadLine(QString& line, int timeoutMs) {
    for (QDeadlineTimer deadline(timeoutMs);;) {
        const qsizetype end = output_.indexOf('\n');
        if (end >= 0) {
            line = QString::fromLocal8Bit(output_.left(end)).trimmed();
            output_.remove(0, end + 1);
            return true;
        }
        if (deadline.hasExpired() || (out_ < 0 && err_ < 0))
            return false;
        Collect(std::min<int>(50, int(deadline.remainingTime())));
        if (out_ < 0 && output_.indexOf('\n') < 0)
            return false;
    }
}

QByteArray ChildProcess::Output() {
    Collect(0);
    return std::exchange(output_, QByteArray());
}

QByteArray ChildProcess::Errors() {
    Collect(0);
    return errors_;
}

void ChildProcess::Reap(bool block) {
    if (pid_ <= 0)
        return;
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (done != pid_)
        return;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
}

bool ChildProcess::WaitForFinished(int timeoutMs) {
    for (QDeadlineTimer deadline(timeoutMs); Running();) {
        if (deadline.hasExpired())
            return false;
        Collect(20);
    }
    Collect(0);  // what the child wrote last
    return true;
}

int ChildProcess::Stop(int graceMs) {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        if (!WaitForFinished(graceMs)) {
            ::kill(pid_, SIGKILL);
            Reap(true);
        }
    }
    ClosePipes();
    return exitCode_;
}

void ChildProcess::ClosePipes() {
    for (int* fd : {&out_, &err_})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
}

ChildRun RunToEnd(const QString& program, const QStringList& arguments,
                  const QString& workingDirectory, int timeoutMs) {
    ChildProcess p;
    if (!p.Start(program, arguments, workingDirectory))
        return ChildRun{-1, QString(), program + QStringLiteral(" did not start")};
    const bool ended = p.WaitForFinished(timeoutMs);
    const int status = p.Stop();
    return ChildRun{ended ? status : -1, QString::fromUtf8(p.Output()),
                    QString::fromUtf8(p.Errors())};
}
