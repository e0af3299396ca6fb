// Formula evaluation and value formatting, time per call. The identity formula and the raw
// "DEC" format are the baselines the other rows are compared with.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/global.h"
#include "dictionary/sdounit.h"
#include "platform/msgbox.h"

namespace {

CGlobal& Global() {
    static QTemporaryDir base;
    static CGlobal* global = [] {
        platform::SetMessageBoxHandler([](const platform::MessageBoxCall&) { return 1; });
        QDir(base.path()).mkpath("sys");
        QFile ini(base.path() + "/sys/sys.ini");
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[sys]\nlang=2\n");
        ini.close();
        auto* g = new CGlobal(base.path());
        g->evaluator.AddConst(0x609101, 4);
        return g;
    }();
    return *global;
}

void Evaluate(benchmark::State& state, const char* formula) {
    CFormula& evaluator = Global().evaluator;
    const QString text = QString::fromLatin1(formula);
    double n = 1234.5, result = 0;
    for (auto _ : state) {
        evaluator.Evaluate(0, text, n, result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(Evaluate, identity, "N*1");
BENCHMARK_CAPTURE(Evaluate, scale, "N*60");
BENCHMARK_CAPTURE(Evaluate, chain, "N*60/1000+5");
BENCHMARK_CAPTURE(Evaluate, reference, "N/[60910120]*10");
BENCHMARK_CAPTURE(Evaluate, sqrt, "sqrt(N*2)*10");

void Format(benchmark::State& state, const char* unit, const char* type, const char* formula) {
    CGlobal& g = Global();
    const QString u = QString::fromLatin1(unit), t = QString::fromLatin1(type),
                  f = QString::fromLatin1(formula);
    double value = 305419896;  // 0x12345678
    for (auto _ : state) benchmark::DoNotOptimize(g.FormatValue(u, t, f, value));
}
BENCHMARK_CAPTURE(Format, dec, "DEC", "INTEGER32", "");
BENCHMARK_CAPTURE(Format, hex, "HEX", "UNSIGNED16", "");
BENCHMARK_CAPTURE(Format, ascii, "ASCII", "UNSIGNED32", "");
BENCHMARK_CAPTURE(Format, named_fraction, "rpm", "INTEGER32", "N*60");
BENCHMARK_CAPTURE(Format, named_identity, "cnt", "INTEGER32", "N*1");

// A value reply of a row in a named unit: convert, then format.
void ReadAndFormat(benchmark::State& state) {
    CGlobal& g = Global();
    QString text;
    g.units.DefaultUnitText(0x606300, "[inc mm]N/[60910120];[mm]N*[60910120]", text);
    QString formula;
    int handled = 0;
    for (auto _ : state) {
        double value = 1000;
        g.ConvertReadValue(0, 0x606300, text, value, formula, handled);
        benchmark::DoNotOptimize(g.FormatValue(text, "INTEGER32", formula, value));
    }
}
BENCHMARK(ReadAndFormat);

void ParseDefinition(benchmark::State& state) {
    const QString definition = "[rpm]N*60;[r/s]N*1;[inc mm]N/[60910120]";
    QList<CCellUnit> cells;
    for (auto _ : state) benchmark::DoNotOptimize(ParseUnitDefinition(definition, cells));
}
BENCHMARK(ParseDefinition);

}  // namespace

BENCHMARK_MAIN();
