#include "scanfile_fuzz_entry.h"

#include <QByteArray>

#include "tuner/bodegeometry.h"
#include "tuner/scananalysis.h"
#include "tuner/scanfile.h"

namespace {

bool SamePoints(const CScanData& a, const CScanData& b) {
    return a.scanFrom == b.scanFrom && a.scanEnd == b.scanEnd && a.scanStep == b.scanStep &&
           a.pointCount == b.pointCount && a.excitationAmplitude == b.excitationAmplitude &&
           a.scaleExponent == b.scaleExponent && a.rotorInertia == b.rotorInertia &&
           a.maxCurrent == b.maxCurrent && a.excitationRe == b.excitationRe &&
           a.excitationIm == b.excitationIm && a.responseRaw == b.responseRaw;
}

// Every coordinate the plot would draw for the results.
int Coordinates(const CScanData& d, const CScanResults& r) {
    int sum = 0;
    const int n = d.CountFits() ? d.pointCount : 0;
    for (int i = 0; i + 1 < n; ++i)
        sum += bode::X(double(d.Frequency(i))) + bode::GainY(r.gain[i], 40) +
               bode::PhaseY(r.phaseDifference[i]) + bode::GainY(r.currentRatio[i], 80);
    return sum;
}

}  // namespace

void FuzzScanFileOnce(const std::uint8_t* bytes, std::size_t size) {
    QByteArray text(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    CScanData data;
    CScanImportResult first = ParseScanFile(text, data, 2);
    if (first.outcome == ScanImport::Rejected)
        return;
    if (!data.CountFits())
        __builtin_trap();  // an accepted header always fits the arrays
    CScanResults results;
    AnalyseScan(data, results);
    volatile int sink = Coordinates(data, results);
    (void)sink;
    if (first.outcome != ScanImport::Complete)
        return;
    CScanData copy = data;
    QByteArray again = FormatScanFile(copy);
    CScanData back;
    if (ParseScanFile(again, back, 2).outcome != ScanImport::Complete || !SamePoints(data, back))
        __builtin_trap();
}
