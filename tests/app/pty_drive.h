#pragma once
// A minimal drive on a pseudo-terminal for the shell's widget tests: answers serial SDO
// frames (reads with the stored value, writes with a confirmation) and can fall silent.
#include <QString>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

class PtyDrive {
public:
    PtyDrive();
    ~PtyDrive();
    PtyDrive(const PtyDrive&) = delete;
    PtyDrive& operator=(const PtyDrive&) = delete;

    // The slave's path (what the serial component opens); empty when no pty could be made.
    QString Path() const { return path_; }
    void SetValue(std::int32_t key, std::int32_t value);
    void SetSilent(bool silent) { silent_ = silent; }
    int Requests() const { return requests_; }

private:
    void Serve();
    void Answer(const std::uint8_t* frame);

    int master_ = -1;
    int slave_ = -1;  // kept open so the line stays up between the program's opens
    QString path_;
    std::mutex mutex_;
    std::map<std::int32_t, std::int32_t> values_;
    std::atomic<bool> silent_{false};
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};
