#include "simulator.h"

#include <QRegularExpression>

#include "canport.h"
#include "ptyport.h"

namespace vsim {

namespace {
constexpr int64_t kMaxCatchUpCycles = 32000;  // after a stall of the host, skip ahead
const char* const kHelp =
    "commands: lose-every N | lose-prob P | corrupt-every N | corrupt-prob P | delay MS | "
    "silent-after N | silent-for MS | talk | refuse KEY [CODE] | accept KEY | clear-faults | "
    "raise WORD BIT | clear-errors | inputs LEVELS | get KEY | set KEY VALUE | restart | status | "
    "quit";
}  // namespace

CSimulator::CSimulator(const SimOptions& options) : options_(options) {}

CSimulator::~CSimulator() = default;

QString CSimulator::SerialLink() const {
    return pty_ ? pty_->LinkPath() : QString();
}

bool CSimulator::Start(QString& error) {
    if (options_.address < 1 || options_.address > 127) {
        error = QString("drive address %1 outside 1..127").arg(options_.address);
        return false;
    }
    if (!table_.Load(options_.base + "/data/velto_sim.tsv", &error))
        return false;
    clock_.start();
    nv_ = std::make_unique<CNvMemory>(options_.statePath);
    if (!nv_->Load(table_, error))
        return false;
    drive_ = std::make_unique<CDrive>(table_, nv_.get());
    server_ = std::make_unique<CSdoServer>(*drive_);
    server_->SetRefusal([this](uint32_t key) { return faults_.Refusal(key); });
    for (const QString& command : options_.startCommands) {
        const QString answer = Command(command);
        if (answer.startsWith("error")) {
            error = QString("%1: %2").arg(command, answer);
            return false;
        }
    }
    const uint8_t address = uint8_t(options_.address);
    if (!options_.serialLink.isEmpty()) {
        pty_ = std::make_unique<CPtyPort>(address, [this](const SdoFrame& request) {
            Serve(request, [this](const SdoFrame& r, bool corrupt) { pty_->Send(r, corrupt); });
        });
        pty_->SetBaudRate(options_.serialBaud);
        if (!pty_->Open(options_.serialLink, error))
            return false;
    }
    if (!options_.canSpec.isEmpty()) {
        can_ = std::make_unique<CCanPort>(address, [this](const SdoFrame& request) {
            // No checksum on CAN: the controller's CRC drops a spoiled frame.
            Serve(request, [this](const SdoFrame& r, bool corrupt) {
                if (!corrupt)
                    can_->Send(r);
            });
        });
        if (!can_->Open(options_.canSpec, error))
            return false;
    }
    control_ = std::make_unique<CControlChannel>([this](const QString& l) { return Command(l); });
    if (!options_.controlPath.isEmpty() && !control_->Listen(options_.controlPath, error)) {
        if (!options_.controlOptional)
            return false;
        qWarning("veltosim: %s; running without a control socket", qPrintable(error));
        error.clear();
    }
    if (options_.stdinCommands)
        control_->WatchStdin();
    connect(&ticker_, &QTimer::timeout, this, [this] { Advance(); });
    ticker_.start(10);
    return true;
}

void CSimulator::Advance() {
    const int64_t due = clock_.nsecsElapsed() / 62500;
    int64_t cycles = due - cyclesDone_;
    if (cycles > kMaxCatchUpCycles)
        cycles = kMaxCatchUpCycles;
    cyclesDone_ = due;
    if (cycles > 0)
        drive_->Tick(cycles);
}

void CSimulator::Serve(const SdoFrame& request,
                       const std::function<void(const SdoFrame&, bool)>& send) {
    Advance();
    if (drive_->Restarting()) {  // a restarting drive hears nothing
        server_->Reset();
        return;
    }
    if (faults_.Deaf(NowMs()))
        return;
    const std::optional<SdoFrame> reply = server_->Handle(request);
    if (!reply)
        return;
    const ReplyFate fate = faults_.NextReply(NowMs());
    if (!fate.send)
        return;
    if (fate.delayMs <= 0) {
        send(*reply, fate.corrupt);
        return;
    }
    const SdoFrame copy = *reply;
    QTimer::singleShot(fate.delayMs, this, [send, copy, fate] { send(copy, fate.corrupt); });
}

QString CSimulator::Command(const QString& line) {
    const QStringList words =
        line.trimmed().split(QRegularExpression("[\\s:=]+"), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return "error: empty command";
    const QString verb = words[0].toLower();
    QString answer;
    if (CFaultPlan::Knows(verb))
        return faults_.Apply(words, NowMs(), answer) ? answer : "error: " + answer;
    if (verb == "status") {
        Advance();
        return QString("%1 statusword %2 restarting %3")
            .arg(faults_.Describe(NowMs()))
            .arg(drive_->Values().Get(0x604100), 4, 16, QChar('0'))
            .arg(drive_->Restarting() ? 1 : 0);
    }
    if (verb == "help")
        return kHelp;
    if (verb == "quit") {
        emit QuitRequested();
        return "ok";
    }
    bool known = false;
    answer = DriveCommand(words, known);
    return known ? answer : QString("error: unknown command \"%1\"").arg(verb);
}

QString CSimulator::DriveCommand(const QStringList& w, bool& known) {
    known = true;
    const QString verb = w[0].toLower();
    bool ok = false;
    const uint32_t key = w.value(1).toUInt(&ok, 16);
    if (verb == "get" || verb == "set") {
        if (!ok || !table_.Find(key))
            return "error: no such object";
        Advance();
        if (verb == "get") {
            ObjectValue value;
            drive_->Read(key, value);
            return value.isBytes ? QString::fromLatin1(value.bytes.toHex())
                                 : QString::number(value.number);
        }
        const qint64 v = w.value(2).toLongLong(&ok, 0);
        if (!ok)
            return "error: value expected";
        drive_->Values().Set(key, v);
        return QString::number(drive_->Values().Get(key));
    }
    if (verb == "raise") {
        const int word = w.value(1).toInt(&ok);
        const int bit = ok ? w.value(2).toInt(&ok) : -1;
        if (!ok || !drive_->RaiseError(word, bit))
            return "error: raise WORD(1|2) BIT(0..15)";
        return "ok";
    }
    if (verb == "clear-errors") {
        drive_->ClearErrors();
        return "ok";
    }
    if (verb == "restart") {
        Advance();
        drive_->Restart();
        return "ok";
    }
    if (verb == "inputs") {
        const uint levels = w.value(1).toUInt(&ok, 16);
        if (!ok || levels > 0xFF)
            return "error: inputs LEVELS (hex, bit i = DIN i+1)";
        drive_->SetInputLevels(uint16_t(levels));
        return "ok";
    }
    known = false;
    return {};
}

}  // namespace vsim
