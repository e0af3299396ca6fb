// Dictionary loading (2,000 records) and lookups by key, first and last entry side by side.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/global.h"
#include "platform/msgbox.h"
#include "support/sdo_record.h"

namespace {
constexpr int kRecords = 2000;
constexpr int kFirstIndex = 0x2000;

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A base folder with settings and a database of kRecords realistic records.
struct Fixture {
    Fixture() {
        QDir base(dir.path());
        base.mkpath("data");
        base.mkpath("sys");
        WriteFile(dir.path() + "/sys/sys.ini", "[sys]\nlang=1\n");
        QByteArray db;
        db.reserve(qsizetype(kRecords) * kSdoRecordSize);
        for (int i = 0; i < kRecords; ++i)
            db += SdoRecord(QString::number(kFirstIndex + i, 16), "00", "速度环比例增益",
                            "Speed loop gain " + QString::number(i), "UNSIGNED16", "W",
                            "调整速度环的比例增益。", "Sets the proportional gain.", "Hz,1,n");
        WriteFile(dir.path() + "/data/velto.dat", db);
        global = std::make_unique<CGlobal>(dir.path());
        global->dictionary.WaitLoaded(60000);
    }
    QTemporaryDir dir;
    std::unique_ptr<CGlobal> global;
};

Fixture& TheFixture() {
    static Fixture* f = new Fixture;
    return *f;
}

void BM_LoadDictionary(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        CAllSdo dictionary(*f.global, f.global->language);
        dictionary.WaitLoaded(60000);
        if (dictionary.Count() != kRecords)
            state.SkipWithError("records missing");
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void FindByKey(benchmark::State& state, int position) {
    Fixture& f = TheFixture();
    const std::int32_t key = (kFirstIndex + position) * 256;
    CSdoInfo entry;
    for (auto _ : state) {
        int found = f.global->dictionary.FindByKey(key, entry);
        benchmark::DoNotOptimize(found);
        if (!found)
            state.SkipWithError("key missing");
    }
}

void BM_FindByKeyFirst(benchmark::State& state) {
    FindByKey(state, 0);
}
void BM_FindByKeyLast(benchmark::State& state) {
    FindByKey(state, kRecords - 1);
}

}  // namespace

BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindByKeyFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindByKeyLast)->Unit(benchmark::kMicrosecond);
