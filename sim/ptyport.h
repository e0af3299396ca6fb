#pragma once
// Serves the serial framing on a pseudo-terminal, reachable under a stable symbolic link.
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

#include "linepacer.h"
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
    // Replies reach the client no earlier than a line at this rate would carry request and
    // reply; 0 (the default) sends them at once. Set before Open.
    void SetBaudRate(int baud) { pacer_ = CLinePacer(baud); }
    void Send(const SdoFrame& reply, bool corruptChecksum);
    QString LinkPath() const { return linkPath_; }
    QString DevicePath() const { return devicePath_; }
    int BadChecksums() const { return framer_.BadChecksums(); }

    static QString DefaultLinkPath(int address);

private:
    struct DueReply {
        int64_t dueNs;
        SerialFrame frame;
    };

    void OnReadable();
    void Close();
    void Write(const SerialFrame& frame);
    void Hold(int64_t dueNs, const SerialFrame& frame);
    void WriteDue();
    void ArmTimer();

    uint8_t address_;
    RequestHandler onRequest_;
    CSerialFramer framer_;
    int master_ = -1;
    int slave_ = -1;  // kept open: without it the master reads EIO once a client closes
    QString linkPath_;
    QString devicePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    CLinePacer pacer_;
    int64_t firstByteNs_ = 0;    // when the bytes of the frame being assembled began to come
    int64_t requestDoneNs_ = 0;  // when the latest request was complete on a paced line
    std::deque<DueReply> held_;  // paced replies in due order
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> timerNotifier_;
};

}  // namespace vsim
