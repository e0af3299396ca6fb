// One key of a page list file (200 rows): cached read against parsing the file each time.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "platform/profile.h"
#include "platform/profile_document.h"

namespace {
constexpr int kRows = 200;

QByteArray PageList() {
    QByteArray text = "[list]\nnum=" + QByteArray::number(kRows) + "\n";
    for (int i = 0; i < kRows; ++i)
        text += QByteArray::number(i) + "=" + QByteArray::number(0x200000 + i * 256, 16) + "\n";
    return text;
}

struct Fixture {
    Fixture() {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return;
        f.write(bytes);
        f.flush();
        // An old modification time: the file counts as settled and is cached at once.
        f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    }
    QTemporaryDir dir;
    QString path = dir.path() + "/page.ini";
    QByteArray bytes = PageList();
};

Fixture& TheFixture() {
    static Fixture* f = new Fixture;
    return *f;
}

void BM_ProfileReadCached(benchmark::State& state) {
    Fixture& f = TheFixture();
    const QString key = QString::number(kRows - 1);
    for (auto _ : state) benchmark::DoNotOptimize(platform::GetProfileString(f.path, "list", key));
}

void BM_ProfileParseEachTime(benchmark::State& state) {
    Fixture& f = TheFixture();
    const QString key = QString::number(kRows - 1);
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        auto doc = platform::profile::Document::FromBytes(file.readAll());
        benchmark::DoNotOptimize(doc.Find("list", key));
    }
}

}  // namespace

BENCHMARK(BM_ProfileReadCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileParseEachTime)->Unit(benchmark::kMicrosecond);
