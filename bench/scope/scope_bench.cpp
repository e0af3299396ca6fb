// Oscilloscope figures, each next to its yardstick in the same run:
// - one redraw of 4 x 4,096 points at 1,250 x 460 pixels, next to a redraw without curves and
//   to the 16 ms of one frame;
// - decoding a full 8,192-byte buffer, next to copying it;
// - the upload of a full 8,192-byte buffer from the simulated drive (the page's capture cycle:
//   segments stored, progress, end detection) over a pseudo-terminal and over virtual CAN,
//   next to 1,171 bare segment exchanges on the same line and to the wire time at 115200 Bd.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "app/global.h"
#include "comm/comm.h"
#include "scope/capturecycle.h"
#include "scope/mygraph.h"
#include "scope/sampledecode.h"
#include "scope/scopeobjects.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

using namespace platform;

namespace {

constexpr int kSegments = 1171;                          // 8,192 bytes in 7-byte segments
constexpr double kWireMs = kSegments * 20 * 10 / 115.2;  // request + reply, 10 bits a byte

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Serves the worker's messages without the pauses of QTest::qWaitFor between them.
template <typename F>
bool Spin(F&& done, int timeoutMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

template <typename F>
double TimeMs(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

void RedrawBench() {
    CMyGraph full, empty;
    for (CMyGraph* g : {&full, &empty}) g->SetArea({0, 20, 1250, 460});
    for (int k = 1; k <= 4; ++k)
        for (int i = 0; i < 4096; ++i)
            full.AddPoint(k, 1000 * std::sin(i * 0.01 * k) + 50 * ((i * 7919) % 13));
    for (CMyGraph* g : {&full, &empty}) {
        g->Zoom(-1);
        g->AutoScale();
        g->setCursorMode(2);
    }
    QImage image(1250, 460, QImage::Format_RGB32);
    std::vector<double> withCurves, without;
    for (int i = 0; i < 40; ++i) {
        QPainter p(&image);
        withCurves.push_back(TimeMs([&] { full.Draw(p); }));
        without.push_back(TimeMs([&] { empty.Draw(p); }));
    }
    const double a = Median(withCurves), b = Median(without);
    std::printf(
        "redraw 4 x 4096 points, 1250 x 460: %.2f ms; without curves %.2f ms (x%.2f); "
        "%.2f of a 16 ms frame\n",
        a, b, a / b, a / 16.0);
}

void DecodeBench() {
    std::vector<std::uint8_t> buffer(scope::kBufferBytes);
    std::mt19937 random(7);
    for (auto& b : buffer) b = std::uint8_t(random());
    RecordLayout all;  // four 16-bit sources and both pairs: 16-byte records
    all.source16 = {1, 1, 1, 1};
    all.source32 = {1, 1};
    all.ticked = {true, true, true, true};
    all.isSigned = {true, false, true, false};
    RecordLayout one;  // one 32-bit source: 4-byte records
    one.source32 = {1, 0};
    one.ticked = {true, false, false, false};
    std::vector<std::uint8_t> copy(buffer.size());
    std::vector<double> tAll, tOne, tCopy;
    for (int i = 0; i < 200; ++i) {
        tAll.push_back(TimeMs([&] { DecodeSamples(buffer.data(), 8192, all); }));
        tOne.push_back(TimeMs([&] { DecodeSamples(buffer.data(), 8192, one); }));
        tCopy.push_back(TimeMs([&] { std::memcpy(copy.data(), buffer.data(), copy.size()); }));
    }
    const double c = std::max(Median(tCopy), 1e-6);
    std::printf(
        "decode 8192 bytes: 6 sources %.1f us, 1 source %.1f us; copying it %.2f us "
        "(x%.0f, x%.0f)\n",
        Median(tAll) * 1000, Median(tOne) * 1000, c * 1000, Median(tAll) / c, Median(tOne) / c);
}

// Writes and reads for the set-up, waiting for each answer.
class Access : public MessageTarget {
public:
    explicit Access(CGlobal& g) : g_(g) {}
    bool Do(std::uint8_t command, std::int32_t key, std::int32_t value,
            std::uint32_t* out = nullptr) {
        got_ = false;
        g_.link.Request(Handle(), command, key, value);
        if (!Spin([&] { return got_; }, 5000))
            return false;
        if (out)
            *out = value_;
        return true;
    }
    LResult OnMessage(unsigned msg, WParam w, LParam) override {
        if (msg == WM_LINK_VALUE || msg == WM_LINK_ABORT) {
            got_ = true;
            value_ = std::uint32_t(w);
        }
        return 0;
    }

private:
    CGlobal& g_;
    bool got_ = false;
    std::uint32_t value_ = 0;
};

// The page's upload: the capture cycle uploads the drive's last capture again.
class UploadHost : public MessageTarget, public ICaptureHost {
public:
    explicit UploadHost(CGlobal& g) : g_(g), cycle_(g, Handle(), *this) {}
    int Run() {
        done_ = false;
        cycle_.Reread();
        return Spin([&] { return done_; }) ? cycle_.Buffer().Used() : -1;
    }
    LResult OnMessage(unsigned msg, WParam, LParam l) override {
        if (msg == WM_LINK_VALUE && l == scope::Key(scope::kSamples))
            cycle_.OnUploadAccepted(g_.link.AnnouncedSize());
        if (msg == WM_LINK_SEGMENT) {
            const std::uint8_t* data = nullptr;
            std::uint8_t count = 0;
            g_.link.GetSegment(data, count);
            cycle_.OnSegment(data, count, g_.link.SegmentIsLast());
        }
        return 0;
    }
    void StartStateTimer() override {}
    void ShowStatus(const QString&) override {}
    void ShowProgress(int, int) override {}
    void CaptureEnded(CaptureEnd) override {
        cycle_.Done(false);
        done_ = true;
    }

private:
    CGlobal& g_;
    CCaptureCycle cycle_;
    bool done_ = false;
};

// The same exchanges with nothing done with the replies.
class BareHost : public MessageTarget {
public:
    explicit BareHost(CGlobal& g) : g_(g) {}
    int Run() {
        segments_ = 0;
        g_.link.Request(Handle(), 0x40, scope::Key(scope::kSamples), 0);
        return Spin([&] { return segments_ == kSegments; }) ? segments_ : -1;
    }
    LResult OnMessage(unsigned msg, WParam, LParam) override {
        if (msg == WM_LINK_VALUE || (msg == WM_LINK_SEGMENT && ++segments_ < kSegments))
            g_.link.Request(Handle(), segments_ % 2 ? 0x70 : 0x60, 0, 0);
        return 0;
    }

private:
    CGlobal& g_;
    int segments_ = 0;
};

bool OpenLink(CGlobal& g, bool serial, const QString& where) {
    CommSettings s;
    const QByteArray name = where.toUtf8();
    if (serial) {
        std::snprintf(s.portName, sizeof s.portName, "%s", name.constData());
        s.rate = 115200;
    } else {
        std::snprintf(s.adapter, sizeof s.adapter, "%s", name.constData());
        s.rate = 0x0014;
    }
    s.driveAddress = 1;
    g.link.SetLinkKind(serial ? CComm::Serial : CComm::Can);
    g.link.SetDriveAddress(1);
    if (g.link.Open(s) != 0)
        return false;
    g.online = 1;
    return true;
}

// A full buffer in the drive: one 32-bit source, 2,048 samples.
bool CaptureFullBuffer(CGlobal& g) {
    Access a(g);
    using scope::Key;
    for (int sub : {1, 2, 3, 4, 6, 0x0C})
        if (!a.Do(0x23, Key(sub), 0))
            return false;
    if (!a.Do(0x23, Key(5), 0x606C0020) || !a.Do(0x2B, Key(8), 1) || !a.Do(0x2B, Key(0x0A), 2048) ||
        !a.Do(0x2F, Key(7), 1))
        return false;
    std::uint32_t state = 1;
    return QTest::qWaitFor([&] { return a.Do(0x40, Key(7), 0, &state) && state == 0; }, 10000);
}

void UploadBench(bool serial) {
    TempBase base;
    for (const char* f : {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so", "data/CAN.so"})
        base.CopyFromRuntime(f);
    base.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=1\n");
    const QString where = serial
                              ? base.File("tty")
                              : QString("virtualcan:tcp://127.0.0.1:%1/can0").arg(PrivateCanPort());
    SimProcess sim;
    const QStringList args = {"--base",    base.Path(),      "--no-stdin",
                              "--control", base.File("ctl"), serial ? "--serial" : "--can",
                              where};
    CGlobal g(base.Path());
    g.dictionary.WaitLoaded(20000);
    if (!sim.Start(args) || !OpenLink(g, serial, where) || !CaptureFullBuffer(g)) {
        std::printf("%s: the simulated drive could not be set up\n", serial ? "pty" : "can");
        return;
    }
    UploadHost page(g);
    BareHost bare(g);
    std::vector<double> tPage, tBare;
    for (int i = 0; i < 9; ++i) {
        int bytes = 0, segments = 0;
        // Alternating which goes first keeps a warming line from favouring either.
        if (i % 2)
            tBare.push_back(TimeMs([&] { segments = bare.Run(); }));
        tPage.push_back(TimeMs([&] { bytes = page.Run(); }));
        if (i % 2 == 0)
            tBare.push_back(TimeMs([&] { segments = bare.Run(); }));
        if (bytes != 8192 || segments != kSegments) {
            std::printf("%s: run %d ended with %d bytes, %d segments\n", serial ? "pty" : "can", i,
                        bytes, segments);
            return;
        }
    }
    const double a = Median(tPage), b = Median(tBare);
    std::printf(
        "%s upload of 8192 bytes: %.1f ms; 1171 bare segment exchanges %.1f ms (x%.3f); "
        "wire time at 115200 Bd %.0f ms (x%.3f)\n",
        serial ? "pty" : "virtual CAN", a, b, a / b, kWireMs, a / kWireMs);
    g.online = 2;
    g.link.Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    RedrawBench();
    DecodeBench();
    UploadBench(true);
    UploadBench(false);
    return 0;
}
