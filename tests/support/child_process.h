#pragma once
// A program the tests run (the simulated drive, the command-line tool, a helper), started with
// fork and exec, its standard output and error read through pipes.
//
// Not QProcess: Qt starts children with a vfork-style clone, whose child runs on the parent's
// memory and leaves the thread sanitizer's state of the starting thread corrupted (every later
// lock of that thread goes unseen, so the sanitizer reports races on guarded data), and clang's
// thread sanitizer aborts in it. A plain fork is followed correctly by both.
//
// The child gets SIGTERM when the thread that started it ends (the tests start children on
// their main thread), however the test ends (a failed assertion, a crash, a kill), so no
// simulator outlives its test; the destructor ends it as well.
#include <sys/types.h>
#include <QByteArray>
#include <QString>
#include <QStringList>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the program could not be started. With `mergeErrors` standard error goes
    // into the output too.
    bool Start(const QString& program, const QStringList& arguments,
               const QString& workingDirectory = QString(), bool mergeErrors = false);
    pid_t ProcessId() const { return pid_; }
    bool Running();

    // The next line of standard output without its line end; false when none came within the
    // time or the child ended without one.
    bool ReadLine(QString& line, int timeoutMs);
    // Standard output and error not yet taken by ReadLine / so far.
    QByteArray Output();
    QByteArray Errors();

    // Waits for the child to end, collecting its output; false on time-out.
    bool WaitForFinished(int timeoutMs);
    // Exit code of a child that exited; -1 while it runs or when a signal ended it.
    int ExitCode() const { return exitCode_; }
    // SIGTERM, then SIGKILL after `graceMs`; returns ExitCode().
    int Stop(int graceMs = 3000);

private:
    void Collect(int waitMs);  // reads what the pipes hold, waiting up to waitMs for some
    void Reap(bool block);
    void ClosePipes();

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    QByteArray output_;
    QByteArray errors_;
    int exitCode_ = -1;
};

// A program run to its end: exit code (-1 when it did not start, was killed or overran
// `timeoutMs`), standard output and error.
struct ChildRun {
    int status = -1;
    QString out;
    QString err;
};
ChildRun RunToEnd(const QString& program, const QStringList& arguments,
                  const QString& workingDirectory, int timeoutMs);
