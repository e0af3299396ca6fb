#pragma once
// One simulated drive on its transports: object table, drive model, SDO server, faults,
// control channel and the clock that advances the model in real time.
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "controlchannel.h"
#include "drive.h"
#include "faultplan.h"
#include "objecttable.h"
#include "sdoserver.h"

namespace vsim {

class CPtyPort;
class CCanPort;

struct SimOptions {
    int address = 1;
    QString base = ".";
    QString statePath;             // non-volatile memory; empty = kept in memory only
    QString serialLink;            // empty = no serial port
    int serialBaud = 0;            // paces serial replies as a line at this rate; 0 = at once
    QString canSpec;               // empty = no CAN
    QString controlPath;           // empty = no control socket
    bool controlOptional = false;  // a control path in use by another simulator is skipped
    bool stdinCommands = false;
    QStringList startCommands;  // fault and drive commands applied before serving
};

class CSimulator : public QObject {
    Q_OBJECT
public:
    explicit CSimulator(const SimOptions& options);
    ~CSimulator() override;

    bool Start(QString& error);
    // One control command; returns its one-line answer ("ok", a value, or "error: ...").
    QString Command(const QString& line);
    // Serves one SDO request; send gets the reply (and whether to spoil its checksum).
    void Serve(const SdoFrame& request, const std::function<void(const SdoFrame&, bool)>& send);

    CDrive& Drive() { return *drive_; }
    CFaultPlan& Faults() { return faults_; }
    QString SerialLink() const;
    QString ControlPath() const { return control_ ? control_->Path() : QString(); }

signals:
    void QuitRequested();

private:
    void Advance();
    int64_t NowMs() const { return clock_.elapsed(); }
    QString DriveCommand(const QStringList& words, bool& known);

    SimOptions options_;
    CObjectTable table_;
    std::unique_ptr<CNvMemory> nv_;
    std::unique_ptr<CDrive> drive_;
    std::unique_ptr<CSdoServer> server_;
    CFaultPlan faults_;
    std::unique_ptr<CPtyPort> pty_;
    std::unique_ptr<CCanPort> can_;
    std::unique_ptr<CControlChannel> control_;
    QElapsedTimer clock_;
    int64_t cyclesDone_ = 0;
    QTimer ticker_;
};

}  // namespace vsim
