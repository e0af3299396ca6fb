#include "ctl/scancommand.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

#include "ctl/session.h"
#include "ctl/valuereader.h"
#include "tuner/scananalysis.h"
#include "tuner/scanchecks.h"
#include "tuner/scanfile.h"
#include "tuner/scanprotocol.h"
#include "tuner/tunertexts.h"

namespace {

void Err(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

// Waits `ms` while the link's messages are still served.
void Pause(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(ms - timer.elapsed()));
}

// Prints the analysed points: frequency, gain in dB, phase difference in degrees.
void PrintTable(const CScanData& data) {
    CScanResults results;
    AnalyseScan(data, results);
    const int points = data.CountFits() ? data.pointCount : 0;
    for (int i = 0; i + 1 < points; ++i) {
        double db = 20 * std::log10(double(results.gain[i]));
        std::printf("%lld\t%.2f\t%.0f\n", static_cast<long long>(data.Frequency(i)), db,
                    double(results.phaseDifference[i]));
    }
    std::fflush(stdout);
}

// The scan's host for veltoctl: requests go to the link for this session, one at a time.
class CtlScanHost : public CScanHost {
public:
    explicit CtlScanHost(CtlSession& session) : session_(session) {}

    void SendRequest(const CLinkRequest& r) override {
        if (r.delayMs > 0)
            Pause(r.delayMs);
        lastKey = r.key;
        awaiting = true;
        session_.Global().link.Request(session_.Handle(), r.command, r.key, r.data);
    }
    void OnReadoutDone() override { done = true; }
    void OnScanFailed() override { failed = true; }
    void OnUnexpectedStatus() override { Err(QStringLiteral("60")); }
    void OnHeaderValueStored() override {}

    // Hands the answer to the outstanding request to the protocol; false when none came.
    bool Deliver(CScanProtocol& protocol, int& chainStep) {
        if (!awaiting)
            return true;
        LinkReply reply;
        if (!session_.WaitForKey(lastKey, reply))
            return false;
        awaiting = false;
        auto key = static_cast<std::int32_t>(reply.lParam);
        if (reply.msg == platform::WM_LINK_ABORT)
            protocol.OnLinkAbort(key, chainStep);
        else
            protocol.OnLinkValue(static_cast<std::uint32_t>(reply.wParam), key, chainStep);
        return true;
    }

    std::int32_t lastKey = 0;
    bool awaiting = false;
    bool done = false;
    bool failed = false;

private:
    CtlSession& session_;
};

int PrintFile(const CtlOptions& o, int language) {
    CScanData data;
    CScanImportResult r = LoadScanFile(o.values.value("--in"), data, language);
    if (r.outcome != ScanImport::Complete) {
        Err(r.message);
        return kExitUsage;
    }
    PrintTable(data);
    return kExitOk;
}

// Runs the chain, the configuration and the scan; kExitOk once the read-out is complete.
int Conduct(CScanProtocol& protocol, CtlScanHost& host, const CScanSettings& s) {
    int chainStep = 1;
    protocol.ContinueChain(chainStep);
    while (host.awaiting)
        if (!host.Deliver(protocol, chainStep))
            return kExitNoLink;
    const int typed[4] = {s.from, s.end, s.step, s.amplitude};
    for (int step = 0; step < 5; ++step) {
        Pause(CScanProtocol::kConfigDelayMs[step]);
        protocol.ConfigurationStep(step, step < 4 ? typed[step] : 0);
        if (!host.Deliver(protocol, chainStep))
            return kExitNoLink;
    }
    while (!host.done && !host.failed) {
        // Every answer leads to the next request until the scan ends one way or the other.
        if (!host.awaiting || !host.Deliver(protocol, chainStep))
            return kExitNoLink;
    }
    if (host.failed)
        return kExitNoLink;
    if (!host.Deliver(protocol, chainStep))  // the scale exponent
        return kExitNoLink;
    Pause(CScanProtocol::kFinishDelayMs);
    return kExitOk;
}

}  // namespace

int RunScan(const CtlOptions& o) {
    CtlSession session(o);
    const int language = o.language ? o.language : session.Global().language.load();
    if (o.values.contains("--in"))
        return PrintFile(o, language);
    QString error;
    if (session.OpenLink(error) != kExitOk) {
        Err(tunertext::Text(tunertext::NotOpen, language));
        Err(error);
        return kExitNoLink;
    }
    CScanCheck check =
        CheckScanSettings(o.values.value("--from"), o.values.value("--to"),
                          o.values.value("--step"), o.values.value("--amplitude"), language);
    if (!check.accepted) {
        Err(check.message);
        return kExitUsage;
    }
    CScanData data;
    data.excitationAmplitude = check.settings.amplitude;
    data.scanFrom = check.settings.from;
    data.scanEnd = check.settings.end;
    data.scanStep = check.settings.step;
    CtlScanHost host(session);
    CScanProtocol protocol(data, host);
    Err(tunertext::Text(tunertext::Acquiring, language));
    int status = Conduct(protocol, host, check.settings);
    if (status != kExitOk) {
        Err(host.failed ? tunertext::Text(tunertext::Failed, language) : NoAnswerText(session));
        return status;
    }
    if (!SaveScanFile(o.values.value("--out"), data, language, error)) {
        Err(error);
        return kExitUsage;
    }
    Err(tunertext::Text(tunertext::Finished, language));
    PrintTable(data);
    return kExitOk;
}
