#pragma once
// Serial ports present on this machine, found from device nodes without opening them
// (opening toggles the modem lines on many adapters).
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct SerialPortEntry {
    QString path;    // what the serial component opens, e.g. /dev/ttyUSB0
    QString heldBy;  // non-empty when another program holds the port (e.g. "pid 1234")
};

class CSerialPorts {
public:
    // Where to look; tests point these at a fake tree.
    QString devFolder = QStringLiteral("/dev");
    QString sysTtyFolder = QStringLiteral("/sys/class/tty");
    QStringList lockFolders = {QStringLiteral("/run/lock"), QStringLiteral("/var/lock")};
    QString procFolder = QStringLiteral("/proc");
    QString simulatorFolder = QStringLiteral("/tmp/veltosim");
    // What a port must be: a character device, directly or behind a link (a pseudo-terminal's
    // link too); never a socket or a regular file. Tests of fake trees replace it.
    std::function<bool(const QString& path)> isPortNode = IsCharacterDevice;

    static bool IsCharacterDevice(const QString& path);

    // Sorted: by-id links, USB and ACM adapters, on-board ports, the simulated drive's ports.
    std::vector<SerialPortEntry> List() const;

private:
    bool IsPresent(const QString& name) const;
    QString HolderOf(const QString& path) const;
    QString LockHolder(const QString& name) const;
    QString ProcessHolder(const QString& canonical) const;
};
