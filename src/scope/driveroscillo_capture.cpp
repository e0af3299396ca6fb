// The capture side of the oscilloscope page: buttons, timers, status and decoding.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/global.h"
#include "scope/driveroscillo.h"
#include "scope/graphview.h"
#include "scope/sampledecode.h"
#include "scope/scopechannels.h"
#include "scope/scopereadouts.h"
#include "scope/scopetexts.h"

void CDriverOscillo::StartStateTimer() {
    stateTimer_.start(1000);
}

void CDriverOscillo::ShowStatus(const QString& text) {
    form_.capture.status->setText(text);
}

void CDriverOscillo::ShowProgress(int received, int announced) {
    QProgressBar* bar = form_.capture.progress;
    // Without an announced size the bar counts against the whole buffer.
    bar->setRange(0, announced > 0 ? announced : scope::kBufferBytes);
    bar->setValue(std::min(received, bar->maximum()));
    bar->show();
}

void CDriverOscillo::OnStartClicked() {
    form_.graphView->DropBox();
    if (!cycle_.Stopped()) {
        continuousTimer_.stop();
        cycle_.Cancel();
        form_.capture.start->setText(scopetext::StartCaption(g_.language));
        return;
    }
    if (g_.acquisitionBusy)
        return;
    graph_.ResetRanges();
    channels_->Apply();
    form_.capture.progress->hide();
    if (!cycle_.Start())
        return;
    form_.capture.start->setText(scopetext::CancelCaption(g_.language));
    form_.capture.reread->setEnabled(false);
}

void CDriverOscillo::OnRereadClicked() {
    if (g_.acquisitionBusy)
        return;
    graph_.Clear();
    form_.graphView->DropBox();
    channels_->Apply();
    form_.capture.progress->hide();
    if (!cycle_.Reread())
        return;
    form_.capture.reread->setEnabled(false);
    form_.capture.start->setEnabled(false);
}

void CDriverOscillo::OnStateTimer() {
    cycle_.OnStateTimer();
}

// The next capture starts once other windows' held requests have been served.
void CDriverOscillo::OnContinuousTimer() {
    if (!g_.link.HeldQueueEmpty())
        return;
    continuousTimer_.stop();
    channels_->Apply();
    cycle_.Restart();
}

void CDriverOscillo::SetIdleControls() {
    stateTimer_.stop();
    continuousTimer_.stop();
    form_.capture.start->setText(scopetext::StartCaption(g_.language));
    form_.capture.start->setEnabled(true);
    form_.capture.reread->setEnabled(true);
}

void CDriverOscillo::ForceIdle() {
    readStep = 0;
    cycle_.ForceIdle();
    SetIdleControls();
    ShowStatus(scopetext::Finish(g_.language));
}

void CDriverOscillo::CaptureEnded(CaptureEnd how) {
    if (how == CaptureEnd::Uploaded || how == CaptureEnd::Overflow)
        DecodeUpload();
    if (how == CaptureEnd::Finished)
        form_.capture.progress->hide();  // cancelled: nothing was kept
    if (how != CaptureEnd::Uploaded) {
        SetIdleControls();
        return;
    }
    const bool again = form_.capture.continuous->isChecked() && !cycle_.Stopped();
    cycle_.Done(again);
    if (again) {
        continuousTimer_.start();
        return;
    }
    SetIdleControls();
}

void CDriverOscillo::DecodeUpload() {
    graph_.Clear();
    const CSampleBuffer& buffer = cycle_.Buffer();
    const ChannelSamples samples = DecodeSamples(buffer.Data(), buffer.Used(), channels_->Layout());
    for (int k = 1; k <= 4; ++k)
        for (double v : samples[std::size_t(k - 1)]) graph_.AddPoint(k, v);
    ShowWholeRecord();
    channels_->CheckOffsetFields(false);
}

void CDriverOscillo::ShowWholeRecord() {
    graph_.Zoom(-1);
    graph_.AutoScale();
    channels_->TakeScalesFromGraph();
    readouts_->Refresh();
    Redraw();
}
