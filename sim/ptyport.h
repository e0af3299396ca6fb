#pragma once
// Serves the serial framing on a pseudo-terminal, reachable under a stable symbolic link.
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>

#include "serialframer.h"

namespace vsim {

class CPtyPort : public QObject {
    Q_OBJECT
public:
    using RequestHandler = std::function<void(const SdoFrame&)>;

    CPtyPort(uint8_t address, RequestHandler onRequest);
    ~CPtyPort() override;

    // Creates the pseudo-terminal and the link (its folder too); false with a message.
    bool Open(const QString& linkPath, QString& error);
    void Send(const SdoFrame& reply, bool corruptChecksum);
    QString LinkPath() const { return linkPath_; }
    QString DevicePath() const { return devicePath_; }
    int BadChecksums() const { return framer_.BadChecksums(); }

    static QString DefaultLinkPath(int address);

private:
    void OnReadable();
    void Close();

    uint8_t address_;
    RequestHandler onRequest_;
    CSerialFramer framer_;
    int master_ = -1;
    int slave_ = -1;  // kept open: without it the master reads EIO once a client closes
    QString linkPath_;
    QString devicePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vsim
