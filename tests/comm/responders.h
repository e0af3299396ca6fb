#pragma once
// Minimal drives on the far side of a real link: a pseudo-terminal and a virtual CAN bus.
// Each answers reads with a stored value and confirms writes, from a thread of its own.
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

#include "fake_link.h"

#include <condition_variable>
#include <mutex>

class QCanBusDevice;

// Serves serial frames on the master side of a pseudo-terminal.
class PtyResponder {
public:
    explicit PtyResponder(int address = 1);
    ~PtyResponder();
    QString SlavePath() const { return slavePath_; }
    bool Ok() const { return master_ >= 0; }
    void Unplug();                      // closes both ends: the port vanishes
    void SendStray(std::uint8_t byte);  // a byte no request asked for

    FakeDrive drive;
    std::atomic<int> frames{0};
    std::atomic<bool> silent{false};
    std::atomic<int> delayMs{0};
    std::atomic<int> splitPauseMs{0};  // > 0: the reply comes in two pieces this far apart

private:
    void Serve();
    int address_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Answers SDO requests to 0x600 + address on a virtualcan bus. virtualcan keeps one hub per
// process, in the process that opened the bus first; so one responder serves every test of
// the program and lives to its end.
class CanResponder {
public:
    static CanResponder& Shared();  // opened on first use, on a private port
    bool Ok() const { return ok_; }
    QString Interface() const { return interface_; }
    void Reset(int address);  // a fresh drive at this address
    void Stop();              // ends the responder's thread

    FakeDrive drive;
    std::atomic<int> frames{0};
    std::atomic<bool> silent{false};

private:
    explicit CanResponder(const QString& interface);
    void Run();
    void OnFrames();
    QString interface_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int state_ = 0;  // 1 connected, -1 failed
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> address_{1};
    bool ok_ = false;
    QCanBusDevice* device_ = nullptr;  // lives on thread_
};
