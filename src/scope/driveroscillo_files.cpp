// The oscilloscope page's recording: what an export writes and what an import restores.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/global.h"
#include "scope/driveroscillo.h"
#include "scope/scopechannels.h"
#include "scope/scopereadouts.h"
#include "scope/scopetexts.h"
#include "scope/scopetrigger.h"

ScopeRecording CDriverOscillo::Snapshot() const {
    ScopeRecording r;
    r.samplePeriod = samplePeriod;
    r.pointerOffset = pointerOffset;
    r.sampleCount = sampleCount;
    r.triggerItem = trigger_->Position();
    r.triggerKey = trigger_->TriggerKey();
    r.triggerLevel = trigger_->LevelText();
    r.triggerUnit = trigger_->UnitPosition();
    r.continuous = form_.capture.continuous->isChecked();
    for (int k = 1; k <= 4; ++k) {
        r.channels[std::size_t(k - 1)] = channels_->Recorded(k);
        for (const GraphPoint& p : graph_.Points(k))
            r.samples[std::size_t(k - 1)].push_back(p.value);
    }
    return r;
}

// Nothing is written to the drive: the page shows the recording as it was captured.
void CDriverOscillo::Restore(const ScopeRecording& r) {
    ShowSamplePeriod(std::uint32_t(std::uint16_t(r.samplePeriod)));
    pointerOffset = std::uint16_t(r.pointerOffset);
    sampleCount = std::uint16_t(r.sampleCount);
    form_.capture.pointerOffset->setText(QString::number(pointerOffset));
    form_.capture.sampleCount->setText(QString::number(sampleCount));
    trigger_->Restore(r.triggerItem, r.triggerKey, r.triggerLevel, r.triggerUnit);
    form_.capture.continuous->setChecked(r.continuous);
    for (int k = 1; k <= 4; ++k)
        form_.channels[std::size_t(k - 1)].check->setChecked(r.channels[std::size_t(k - 1)].check);
    graph_.Clear();
    graph_.ResetRanges();
    for (int k = 1; k <= 4; ++k)
        for (double v : r.samples[std::size_t(k - 1)]) graph_.AddPoint(k, v);
    graph_.Zoom(-1);
    graph_.AutoScale();
    for (int k = 1; k <= 4; ++k)
        if (r.channels[std::size_t(k - 1)].check)
            channels_->Restore(k, r.channels[std::size_t(k - 1)]);
    channels_->TakeScalesFromGraph();
    readouts_->Refresh();
    Redraw();
}

void CDriverOscillo::OnExport() {
    form_.capture.exportButton->setEnabled(false);
    files_.Export();
    form_.capture.exportButton->setEnabled(true);
}

void CDriverOscillo::OnImport() {
    form_.capture.importButton->setEnabled(false);
    files_.Import();
    form_.capture.importButton->setEnabled(true);
}
