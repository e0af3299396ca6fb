#pragma once
// A small drive client for the end-to-end tests: starts veltosim and talks SDO to it over the
// pseudo-terminal or a CAN bus, independently of the program's own protocol code.
#include <QCanBusDevice>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

#include "support/child_process.h"

using Sdo = std::array<uint8_t, 8>;

Sdo MakeSdo(uint8_t cmd, uint32_t key, uint32_t data = 0);
uint32_t SdoData(const Sdo& s);

class VeltosimRun {
public:
    // Starts veltosim with args and waits until its control socket answers.
    bool Start(const QStringList& args, const QString& controlPath);
    // The same with another copy of the program, started in `workingDir`.
    bool Start(const QString& program, const QString& workingDir, const QStringList& args,
               const QString& controlPath);
    QString Tell(const QString& command) const;
    QString FirstStdoutLine();
    // Asks the simulator to end (SIGTERM) and waits for it; returns its exit code.
    int Stop();
    QString Errors() { return QString::fromUtf8(process_.Errors()); }

private:
    ChildProcess process_;  // ends the simulator with the test
    QString control_;
};

class SerialClient {
public:
    ~SerialClient();
    bool Open(const QString& path);
    // Sends one framed request; returns the reply's SDO bytes when a well-formed reply came.
    std::optional<Sdo> Exchange(uint8_t address, const Sdo& request, int waitMs = 500);
    bool lastChecksumBad = false;

private:
    int fd_ = -1;
};

class CanClient {
public:
    bool Open(const QString& iface);
    std::optional<Sdo> Exchange(uint8_t address, const Sdo& request, int waitMs = 1000);

private:
    std::unique_ptr<QCanBusDevice> device_;
};
