// Reading a 40-row parameter page from the simulated drive, per row, side by side with what
// one row is made of: the bare exchange through the protocol alone, the floor of two thread
// hand-overs and the control link's round trip in memory. Over a pseudo-terminal, a virtual
// CAN bus and a pseudo-terminal paced as a 115200 Bd line; the page read once in this bench's
// event loop (the page alone) and once in the running program (main frame, status-word
// polling, the page on screen). All figures of a round are taken in turn; medians of the rounds.
//     bench_page_read [ROUNDS]
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/global.h"
#include "bench_drives.h"
#include "pages/combolistctrl.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"
#include "program_read.h"
#include "row_clock.h"
#include "sim_link.h"
#include "support/roundtrip.h"

namespace {
constexpr int kRows = 40;
constexpr int kHandovers = 2000;
constexpr int kLimitMs = 20000;
constexpr double kGoalUs = 60;  // page read per row over bare exchange plus floor

struct Series {
    Transport transport;
    std::vector<double> bare, page, pageWhole, program, programWhole;
};

// Of the rounds that completed (a failed one is -1).
double Median(std::vector<double> v) {
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return x < 0; }), v.end());
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Failures(const Series& s) {
    int n = 0;
    for (const std::vector<double>* v : {&s.bare, &s.page, &s.program})
        n += int(std::count_if(v->begin(), v->end(), [](double x) { return x < 0; }));
    return n;
}

// The page alone in a settings object of its own, its link opened by the bench.
class BenchPage {
public:
    explicit BenchPage(const QString& base) : global_(base) {
        global_.dictionary.WaitLoaded(kLimitMs);
        global_.language = 2;
        global_.columnTitles[0] = "name";
        global_.columnTitles[1] = "data";
        global_.columnTitles[2] = "unit";
        const int widths[5] = {250, 110, 100, 240, 48};
        for (int i = 0; i < 5; ++i) global_.columnWidths[i] = widths[i];
        global_.screenDpi = 96;
        global_.mainWindow = mainWindow_.Handle();
        global_.pollingEnabled = 0;  // nothing is watched: idle until a request
        page_ = std::make_unique<CParamPage>(global_, *FindParamPage(1227));
        page_->OnInitialUpdate();  // offline: no reads yet
        clock_ = std::make_unique<RowClock>(page_->Grid().model(), grid::Value);
    }

    // One read over the transport: per row from the first value to the last, and the whole read
    // from the page's notification on, in microseconds; false when it did not complete.
    bool Read(const Transport& t, double& perRow, double& whole) {
        perRow = whole = -1;
        if (!OpenLink(global_, t))
            return false;
        CComboListCtrl& grid = page_->Grid();
        for (int r = 0; r < grid.GetItemCount(); ++r) grid.SetItemText(r, grid::Value, QString());
        clock_->Start();
        page_->OnMessage(platform::WM_PAGE_NOTIFY, platform::PN_BROUGHT_UP, 0);
        const bool done = clock_->Wait(kRows, kLimitMs);
        CloseLink(global_);
        if (done) {
            perRow = clock_->PerRowUs();
            whole = clock_->WholeUs();
        }
        return done;
    }

private:
    SimMainWindow mainWindow_;
    CGlobal global_;
    std::unique_ptr<CParamPage> page_;
    std::unique_ptr<RowClock> clock_;
};

void PrintRow(const char* what, const std::vector<Series>& s,
              const std::function<double(const Series&)>& figure) {
    std::printf("%-34s", what);
    for (const Series& one : s) std::printf(" %14.1f", figure(one));
    std::printf("\n");
}

void PrintTable(const std::vector<Series>& s, double floor, double memory) {
    std::printf("\nmicroseconds per row (median)    ");
    for (const Series& one : s) std::printf(" %14s", qPrintable(one.transport.name));
    std::printf("\n");
    PrintRow("wire time (request and reply)", s,
             [](const Series& o) { return o.transport.wireUs; });
    PrintRow("bare exchange (protocol alone)", s, [](const Series& o) { return Median(o.bare); });
    PrintRow("hand-over floor (two switches)", s, [&](const Series&) { return floor; });
    PrintRow("CCtrlLink round trip in memory", s, [&](const Series&) { return memory; });
    PrintRow("page read, bench event loop", s, [](const Series& o) { return Median(o.page); });
    PrintRow("  over bare + floor", s,
             [&](const Series& o) { return Median(o.page) - Median(o.bare) - floor; });
    PrintRow("  whole read / rows (from notify)", s,
             [](const Series& o) { return Median(o.pageWhole) / kRows; });
    PrintRow("page read, running program", s, [](const Series& o) { return Median(o.program); });
    PrintRow("  over bare + floor", s,
             [&](const Series& o) { return Median(o.program) - Median(o.bare) - floor; });
    PrintRow("  whole read / rows (from command)", s,
             [](const Series& o) { return Median(o.programWhole) / kRows; });
    PrintRow("failed measurements (left out)", s, [](const Series& o) { return Failures(o); });
    std::printf(
        "goal: page read per row within %.0f us of bare + floor; CCtrlLink in memory under 25 us "
        "(10 %% of CAN wire time at 1 Mbit/s)\n",
        kGoalUs);
    for (const Series& one : s)
        if (one.transport.wireUs > 0)
            std::printf("%s: page read / wire time %.3f (bench loop), %.3f (running program)\n",
                        qPrintable(one.transport.name), Median(one.page) / one.transport.wireUs,
                        Median(one.program) / one.transport.wireUs);
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    BenchDrives drives;
    if (!drives.Start(kRows))
        return 1;
    const QString base = drives.base().Path();
    BenchPage page(base);
    ProgramRun program;
    if (!program.Start(base)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::vector<Series> series;
    for (const Transport& t : drives.transports()) series.push_back({t, {}, {}, {}, {}, {}});
    std::vector<double> floors, memories;
    for (int round = 0; round < rounds; ++round) {
        floors.push_back(HandoverFloorUs(kHandovers));
        memories.push_back(LinkInMemoryUs(base, kHandovers));
        std::printf("round %d: floor %.1f us, in memory %.1f us |", round, floors.back(),
                    memories.back());
        for (Series& s : series) {
            const Transport& t = s.transport;
            s.bare.push_back(BareExchangeUs(base + "/data/", t, drives.keys()));
            double perRow = 0, whole = 0;
            page.Read(t, perRow, whole);
            s.page.push_back(perRow);
            s.pageWhole.push_back(whole);
            RowClock* clock = nullptr;
            const bool connected = program.Connect(t);
            const bool read = connected && program.ReadPage(kRows, clock);
            if (!read)
                std::fprintf(stderr, "program over %s: %s (%s)\n", qPrintable(t.name),
                             connected ? "the page read did not end" : "the link did not settle",
                             qPrintable(program.State()));
            s.program.push_back(read ? clock->PerRowUs() : -1);
            s.programWhole.push_back(read ? clock->WholeUs() : -1);
            program.Disconnect();
            std::printf(" %s: bare %.1f, page %.1f, program %.1f", qPrintable(t.name),
                        s.bare.back(), s.page.back(), s.program.back());
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    PrintTable(series, Median(floors), Median(memories));
    return 0;
}
