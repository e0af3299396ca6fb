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
#include "row_trace.h"
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
    std::vector<RowSplit> splits;  // of the traced read in the bench's loop
};

// Of the rounds that completed (a failed one is -1).
double Least(std::vector<double> v) {
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return x < 0; }), v.end());
    return v.empty() ? -1 : *std::min_element(v.begin(), v.end());
}

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
    explicit BenchPage(const QString& base) : global_(base), dataFolder_(base + "/data/") {
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
        const bool done = ReadAll();
        if (done) {
            perRow = clock_->PerRowUs();
            whole = clock_->WholeUs();
        }
        return done;
    }

    // The same read with each row's moments marked (RowTrace).
    RowSplit Traced(const Transport& t) {
        if (!OpenTracedLink(global_, t, dataFolder_))
            return {};
        RowTrace::Instance().Start();
        const bool done = ReadAll();
        RowTrace::Instance().Stop();
        return done ? SplitRows(RowTrace::Instance(), clock_->Marks(), kRows) : RowSplit{};
    }

private:
    // Reads the page over the open link and closes it.
    bool ReadAll() {
        CComboListCtrl& grid = page_->Grid();
        for (int r = 0; r < grid.GetItemCount(); ++r) grid.SetItemText(r, grid::Value, QString());
        clock_->Start();
        page_->OnMessage(platform::WM_PAGE_NOTIFY, platform::PN_BROUGHT_UP, 0);
        const bool done = clock_->Wait(kRows, kLimitMs);
        CloseLink(global_);
        return done;
    }

    SimMainWindow mainWindow_;
    CGlobal global_;
    QString dataFolder_;
    std::unique_ptr<CParamPage> page_;
    std::unique_ptr<RowClock> clock_;
};

void PrintHeader(const char* title, const std::vector<Series>& s) {
    std::printf("\n%-34s", title);
    for (const Series& one : s) std::printf(" %14s", qPrintable(one.transport.name));
    std::printf("\n");
}

void PrintRow(const char* what, const std::vector<Series>& s,
              const std::function<double(const Series&)>& figure) {
    std::printf("%-34s", what);
    for (const Series& one : s) std::printf(" %14.1f", figure(one));
    std::printf("\n");
}

// Median over the rounds whose trace paired up.
double SplitMedian(const Series& s, bool typical, int segment) {
    std::vector<double> v;
    for (const RowSplit& one : s.splits)
        if (one.valid)
            v.push_back(typical ? one.median[segment] : one.mean[segment]);
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PrintSplits(const std::vector<Series>& s) {
    const char* names[RowSplit::Count] = {
        "request out -> reply in (wire)", "reply in -> handler starts",
        "handler starts -> value shown", "value shown -> next request out"};
    std::printf(
        "\nwhere a row's time goes: a traced read in the bench's loop per round; the mean\n"
        "of its rows (adds up to the row) and the median row (without the preempted)\n");
    for (bool typical : {false, true}) {
        PrintHeader(
            typical ? "median row, us (median of rounds)" : "mean row, us (median of rounds)", s);
        for (int i = 0; i < RowSplit::Count; ++i)
            PrintRow(names[i], s, [&](const Series& o) { return SplitMedian(o, typical, i); });
        PrintRow("  beside the wire (the last three)", s, [&](const Series& o) {
            double sum = 0;
            for (int i = RowSplit::ToUi; i < RowSplit::Count; ++i)
                sum += SplitMedian(o, typical, i);
            return sum;
        });
    }
    PrintRow("traced reads that paired up", s, [](const Series& o) {
        return double(std::count_if(o.splits.begin(), o.splits.end(),
                                    [](const RowSplit& r) { return r.valid; }));
    });
}

void PrintTable(const std::vector<Series>& s, double floor, double leastFloor, double memory,
                double leastMemory) {
    PrintHeader("microseconds per row (median)", s);
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
    // Other programs on the machine preempt some rounds; the least figure is the undisturbed one.
    PrintHeader("least of the rounds, us per row", s);
    PrintRow("hand-over floor (two switches)", s, [&](const Series&) { return leastFloor; });
    PrintRow("CCtrlLink round trip in memory", s, [&](const Series&) { return leastMemory; });
    PrintRow("bare exchange", s, [](const Series& o) { return Least(o.bare); });
    PrintRow("page read, bench event loop", s, [](const Series& o) { return Least(o.page); });
    PrintRow("  over bare + floor", s,
             [&](const Series& o) { return Least(o.page) - Least(o.bare) - leastFloor; });
    PrintRow("page read, running program", s, [](const Series& o) { return Least(o.program); });
    PrintRow("  over bare + floor", s,
             [&](const Series& o) { return Least(o.program) - Least(o.bare) - leastFloor; });
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
    TracingApplication app(argc, argv);
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
    for (const Transport& t : drives.transports()) series.push_back({t, {}, {}, {}, {}, {}, {}});
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
            s.splits.push_back(page.Traced(t));
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
    PrintTable(series, Median(floors), Least(floors), Median(memories), Least(memories));
    PrintSplits(series);
    return 0;
}
